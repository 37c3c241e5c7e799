#include "editor/TextBoxTarget.h"

#include "editor/EditBoxes.h"
#include "editor/MenuFocus.h"
#include "system/Platform.h"

#include <QLineEdit>
#include <QPlainTextEdit>

TextBoxTarget::TextBoxTarget(const MenuFocus& focus, Platform& platform, QObject* parent)
    : EditTarget(parent), focus_(focus), platform_(platform)
{
}

void TextBoxTarget::Watch(QWidget* box)
{
    if (auto* line = qobject_cast<QLineEdit*>(box))
        connect(line, &QLineEdit::selectionChanged, this, &EditTarget::Changed);
    else if (auto* memo = qobject_cast<QPlainTextEdit*>(box))
        connect(memo, &QPlainTextEdit::selectionChanged, this, &EditTarget::Changed);
}

bool TextBoxTarget::Owns(const QWidget* control) const
{
    return IsEditBox(control);
}

bool TextBoxTarget::CanRun(EditCommand command) const
{
    switch (command) {
    case EditCommand::Delete:
    case EditCommand::Cut:
    case EditCommand::Copy:
        return SelectedTextLength(focus_.Control()) > 0;
    case EditCommand::Paste:
        return platform_.ClipboardHasText();
    case EditCommand::New:
    case EditCommand::Up:
    case EditCommand::Down:
        break;
    }
    return false;
}

void TextBoxTarget::Run(EditCommand command)
{
    QWidget* box = focus_.Control();
    switch (command) {
    case EditCommand::Delete:
        DeleteSelection(box);
        break;
    case EditCommand::Copy:
        platform_.SetClipboardText(SelectedText(box));
        break;
    case EditCommand::Paste:
        if (platform_.ClipboardHasText())
            ReplaceSelection(box, platform_.ClipboardText());
        break;
    case EditCommand::New:
    case EditCommand::Cut:
    case EditCommand::Up:
    case EditCommand::Down:
        break;
    }
}

QString TextBoxTarget::StepName(EditCommand) const
{
    return QString();
}
