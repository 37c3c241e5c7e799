#include "editor/UndoHistory.h"

#include <utility>

namespace {

std::size_t TextBytes(const std::string& text)
{
    return sizeof(std::string) + text.size();
}

} // namespace

std::size_t EstimatedBytes(const CDef& def)
{
    std::size_t bytes = sizeof(CDef) + TextBytes(def.Name) + TextBytes(def.Program) +
                        TextBytes(def.Directory) + TextBytes(def.Shell) +
                        TextBytes(def.Information);
    for (const COption& option : def.Options) {
        bytes += sizeof(COption) + option.Name.size() + option.Type.size() + option.Value.size() +
                 option.Format.size() + option.Information.size();
        for (const std::string& value : option.Values)
            bytes += TextBytes(value);
    }
    return bytes;
}

UndoHistory::UndoHistory()
{
    Start(CDef());
}

void UndoHistory::Start(CDef state)
{
    steps_.clear();
    states_.clear();
    const std::size_t bytes = EstimatedBytes(state);
    states_.push_back({std::move(state), bytes});
    position_ = 0;
    bytes_ = bytes;
}

void UndoHistory::Record(const QString& name, const UndoView& before, CDef after,
                         const UndoView& shown)
{
    while (steps_.size() > position_) {
        bytes_ -= states_.back().bytes;
        states_.pop_back();
        steps_.pop_back();
    }
    const std::size_t bytes = EstimatedBytes(after);
    states_.push_back({std::move(after), bytes});
    steps_.push_back({name, before, shown});
    bytes_ += bytes;
    ++position_;
    while (steps_.size() > MaxSteps || (bytes_ > MaxBytes && steps_.size() > 1))
        ForgetOldest();
}

void UndoHistory::ForgetOldest()
{
    bytes_ -= states_.front().bytes;
    states_.pop_front();
    steps_.pop_front();
    --position_;
}

QString UndoHistory::UndoName() const
{
    return CanUndo() ? steps_[position_ - 1].name : QString();
}

QString UndoHistory::RedoName() const
{
    return CanRedo() ? steps_[position_].name : QString();
}

UndoView UndoHistory::Undo()
{
    --position_;
    return steps_[position_].before;
}

UndoView UndoHistory::Redo()
{
    ++position_;
    return steps_[position_ - 1].after;
}
