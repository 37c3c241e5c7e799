#pragma once

#include "editor/EditTarget.h"

class MenuFocus;
class Platform;

// The text box the keyboard works on, single-line or memo, as an Edit
// target: its selected text with the system clipboard. Its edits become
// undo steps of the fields they are made in, not of the commands.
class TextBoxTarget : public EditTarget
{
    Q_OBJECT

public:
    TextBoxTarget(const MenuFocus& focus, Platform& platform, QObject* parent);
    // A box whose selection the commands follow.
    void Watch(QWidget* box);

    bool Owns(const QWidget* control) const override;
    bool CanRun(EditCommand command) const override;
    void Run(EditCommand command) override;
    QString StepName(EditCommand command) const override;

private:
    const MenuFocus& focus_;
    Platform& platform_;
};
