#include "editor/EditCommands.h"

#include "editor/MenuFocus.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QWidget>

EditCommands::EditCommands(const MenuFocus& focus, StepRunner runStep, Actions actions,
                           QObject* parent)
    : QObject(parent), focus_(focus), runStep_(std::move(runStep)), actions_(actions)
{
    connect(qApp, &QApplication::focusChanged, this, &EditCommands::UpdateActions);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            &EditCommands::UpdateActions);
}

void EditCommands::AddTarget(EditTarget& target)
{
    targets_.push_back(&target);
    connect(&target, &EditTarget::Changed, this, &EditCommands::UpdateActions);
}

EditTarget* EditCommands::Target() const
{
    // Opening a menu does not change the target.
    const QWidget* control = focus_.Control();
    if (!control)
        return nullptr;
    for (EditTarget* target : targets_) {
        if (target->Owns(control))
            return target;
    }
    return nullptr;
}

void EditCommands::UpdateActions()
{
    const EditTarget* target = Target();
    for (std::size_t i = 0; i < actions_.size(); ++i) {
        const auto command = static_cast<EditCommand>(i);
        actions_[i]->setEnabled(target && target->CanRun(command));
    }
}

void EditCommands::Run(EditCommand command)
{
    EditTarget* target = Target();
    if (!target)
        return;
    const auto run = [target, command] {
        // For every target, Cut is Copy followed by Delete.
        if (command == EditCommand::Cut) {
            target->Run(EditCommand::Copy);
            target->Run(EditCommand::Delete);
        } else {
            target->Run(command);
        }
    };
    const QString step = target->StepName(command);
    if (step.isEmpty())
        run();
    else
        runStep_(step, run);
    // The copied option, a clipboard of the editor's own, tells no change.
    UpdateActions();
}
