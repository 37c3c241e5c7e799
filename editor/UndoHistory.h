#pragma once

#include "document/Def.h"

#include <QString>

#include <cstddef>
#include <deque>

// What the window showed with a state of the document: the option and the
// listed value selected (-1 for none) and the page.
struct UndoView
{
    int option = -1;
    int value = -1;
    int page = 0;
};

// The steps that can be undone and redone: the document as it stood at
// each boundary between two steps, and what the window showed on either
// side of each step. The oldest steps are forgotten beyond MaxSteps, or
// beyond MaxBytes of states, though the newest step is always kept.
class UndoHistory
{
public:
    static constexpr std::size_t MaxSteps = 100;
    static constexpr std::size_t MaxBytes = std::size_t{64} << 20;

    UndoHistory();

    // Forgets every step; the history begins at state.
    void Start(CDef state);

    // The state the window shows, as far as the history knows: the state
    // after the last step done, or before the first step undone. Showing
    // an option amends it with what showing did (normalised fields, the
    // default mark), so that only the user's edits differ from it.
    const CDef& Current() const { return states_[position_].def; }
    CDef& Current() { return states_[position_].def; }
    // For amendments that hold for every state (a program moved on disk).
    template <typename Amend> void AmendAll(Amend amend)
    {
        for (State& state : states_)
            amend(state.def);
    }

    // A step from Current to after. The steps that could have been redone
    // are forgotten.
    void Record(const QString& name, const UndoView& before, CDef after, const UndoView& shown);

    bool CanUndo() const { return position_ > 0; }
    bool CanRedo() const { return position_ < steps_.size(); }
    // The name of the step Undo or Redo would take; empty when none.
    QString UndoName() const;
    QString RedoName() const;
    std::size_t StepCount() const { return steps_.size(); }

    // Steps back over the last step done: Current is then the state
    // before it, and the view is what the window showed then.
    UndoView Undo();
    // Steps forward over the first step undone.
    UndoView Redo();

private:
    struct State
    {
        CDef def;
        std::size_t bytes = 0;
    };
    struct Step
    {
        QString name;
        UndoView before;
        UndoView after;
    };

    void ForgetOldest();

    // states_ has one element more than steps_: step i leads from state i
    // to state i + 1.
    std::deque<State> states_;
    std::deque<Step> steps_;
    std::size_t position_ = 0;
    std::size_t bytes_ = 0;
};

// About how many bytes of memory a definition takes.
std::size_t EstimatedBytes(const CDef& def);
