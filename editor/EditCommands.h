#pragma once

#include "editor/EditTarget.h"

#include <QObject>

#include <array>
#include <functional>
#include <vector>

class MenuFocus;
class QAction;

// The Edit menu's commands besides Undo and Redo. They act on the target
// the keyboard works on, seen through an open menu (MenuFocus): the first
// registered target that owns the control. Their actions are enabled as
// that target says, whenever the focus, the target or the clipboard
// changes. A command the target names as a step is an undo step.
class EditCommands : public QObject
{
    Q_OBJECT

public:
    // The actions of New, Delete, Cut, Copy, Paste, Up and Down, in the
    // order of EditCommand.
    using Actions = std::array<QAction*, 7>;
    // Runs a command as the undo step of that name.
    using StepRunner =
        std::function<void(const QString& name, const std::function<void()>& command)>;

    EditCommands(const MenuFocus& focus, StepRunner runStep, Actions actions, QObject* parent);
    void AddTarget(EditTarget& target);

    void Run(EditCommand command);
    void UpdateActions();

private:
    EditTarget* Target() const;

    const MenuFocus& focus_;
    StepRunner runStep_;
    Actions actions_;
    std::vector<EditTarget*> targets_;
};
