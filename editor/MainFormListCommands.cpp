// The Edit commands. One set of commands serves three targets, chosen by the
// control that has the focus: the option list (records, with the editor's
// own one-option clipboard), the value list (listed values, with the system
// clipboard) and any text box (its selected text, with the system
// clipboard). Anywhere else every command is unavailable.
#include "editor/MainForm.h"

#include "editor/EditBoxes.h"
#include "editor/MenuFocus.h"
#include "system/Platform.h"
#include "ui_MainForm.h"

#include <QSignalBlocker>

TMainForm::FocusTarget TMainForm::FocusedTarget() const
{
    // Opening a menu does not change the target.
    const QWidget* focus = menuFocus_->Control();
    if (!focus)
        return FocusTarget::Other;
    if (IsEditBox(focus))
        return FocusTarget::EditBox;
    if (focus == ui->OptionList)
        return FocusTarget::OptionList;
    if (focus == ui->Values)
        return FocusTarget::ValueList;
    return FocusTarget::Other;
}

QListWidget* TMainForm::FocusedList() const
{
    switch (FocusedTarget()) {
    case FocusTarget::OptionList:
        return ui->OptionList;
    case FocusTarget::ValueList:
        return ui->Values;
    case FocusTarget::EditBox:
    case FocusTarget::Other:
        break;
    }
    return nullptr;
}

void TMainForm::EditNewUpdate()
{
    ui->EditNew->setEnabled(FocusedList() != nullptr);
}

void TMainForm::EditDeleteUpdate()
{
    // Cut and Copy follow Remove.
    const FocusTarget target = FocusedTarget();
    bool available = false;
    if (target == FocusTarget::EditBox)
        available = SelectedTextLength(menuFocus_->Control()) > 0;
    else if (QListWidget* list = FocusedList())
        available = list->currentRow() >= 0;
    ui->EditDelete->setEnabled(available);
    ui->EditCut->setEnabled(available);
    ui->EditCopy->setEnabled(available);
}

void TMainForm::EditPasteUpdate()
{
    switch (FocusedTarget()) {
    case FocusTarget::EditBox:
    case FocusTarget::ValueList:
        ui->EditPaste->setEnabled(platform_.ClipboardHasText());
        break;
    case FocusTarget::OptionList:
        ui->EditPaste->setEnabled(copiedOption_ != emptyOption_);
        break;
    case FocusTarget::Other:
        ui->EditPaste->setEnabled(false);
        break;
    }
}

void TMainForm::EditUpUpdate()
{
    const QListWidget* list = FocusedList();
    ui->EditUp->setEnabled(list && list->currentRow() > 0);
}

void TMainForm::EditDownUpdate()
{
    const QListWidget* list = FocusedList();
    ui->EditDown->setEnabled(list && list->currentRow() >= 0 &&
                             list->currentRow() < list->count() - 1);
}

void TMainForm::EditNewExecute()
{
    switch (FocusedTarget()) {
    case FocusTarget::OptionList: {
        const int selected = ui->OptionList->currentRow();
        const int position = selected + 1;
        StoreOptionFields(StoreTarget::CurrentRecord);
        COption option = emptyOption_;
        option.Name = "Option " + std::to_string(selected + 2);
        if (position == 0)
            document_.AppendOption(option);
        else
            document_.InsertOption(position, option);
        {
            const QSignalBlocker blocker(ui->OptionList);
            ui->OptionList->insertItem(position, Shown(option.Name));
        }
        SelectOption(position);
        currentOption_ = position;
        ShowSelectedOption();
        // Typing replaces the proposed name.
        ui->NameOption->setFocus();
        ui->NameOption->selectAll();
        break;
    }
    case FocusTarget::ValueList: {
        const int position = ui->Values->currentRow() + 1;
        {
            const QSignalBlocker blocker(ui->Values);
            ui->Values->insertItem(position, QStringLiteral("Value ") + QString::number(position + 1));
        }
        SelectValue(position);
        ValuesClick();
        ui->EditValues->setFocus();
        ui->EditValues->selectAll();
        break;
    }
    case FocusTarget::EditBox:
    case FocusTarget::Other:
        break;
    }
}

void TMainForm::RemoveSelectedOption()
{
    const int selected = ui->OptionList->currentRow();
    if (selected < 0)
        return;
    {
        const QSignalBlocker blocker(ui->OptionList);
        delete ui->OptionList->takeItem(selected);
    }
    document_.RemoveOption(selected);
    // The option that followed takes the place; after the last, the one before.
    currentOption_ = selected < ui->OptionList->count() ? selected : selected - 1;
    SelectOption(currentOption_);
    ShowSelectedOption();
}

void TMainForm::RemoveSelectedValue()
{
    const int selected = ui->Values->currentRow();
    if (selected < 0)
        return;
    {
        const QSignalBlocker blocker(ui->Values);
        delete ui->Values->takeItem(selected);
    }
    SelectValue(selected < ui->Values->count() ? selected : selected - 1);
    ValuesClick();
}

void TMainForm::EditDeleteExecute()
{
    switch (FocusedTarget()) {
    case FocusTarget::EditBox:
        DeleteSelection(menuFocus_->Control());
        break;
    case FocusTarget::OptionList:
        RemoveSelectedOption();
        break;
    case FocusTarget::ValueList:
        RemoveSelectedValue();
        break;
    case FocusTarget::Other:
        break;
    }
}

void TMainForm::EditCutExecute()
{
    // For every target, Cut is Copy followed by Remove.
    EditCopyExecute();
    EditDeleteExecute();
}

void TMainForm::EditCopyExecute()
{
    switch (FocusedTarget()) {
    case FocusTarget::EditBox:
        platform_.SetClipboardText(SelectedText(menuFocus_->Control()));
        break;
    case FocusTarget::OptionList:
        // The option as its fields show it; its own record stays as it is.
        if (ui->OptionList->currentRow() >= 0)
            StoreOptionFields(StoreTarget::CopiedOption);
        break;
    case FocusTarget::ValueList:
        if (const QListWidgetItem* value = ui->Values->currentItem())
            platform_.SetClipboardText(value->text());
        break;
    case FocusTarget::Other:
        break;
    }
}

void TMainForm::EditPasteExecute()
{
    switch (FocusedTarget()) {
    case FocusTarget::EditBox:
        if (platform_.ClipboardHasText())
            ReplaceSelection(menuFocus_->Control(), platform_.ClipboardText());
        break;
    case FocusTarget::OptionList: {
        if (copiedOption_ == emptyOption_)
            return;
        const int position = ui->OptionList->currentRow() + 1;
        StoreOptionFields(StoreTarget::CurrentRecord);
        {
            const QSignalBlocker blocker(ui->OptionList);
            ui->OptionList->insertItem(position, Shown(copiedOption_.Name));
        }
        document_.InsertOption(position, copiedOption_);
        currentOption_ = position;
        SelectOption(position);
        ShowSelectedOption();
        break;
    }
    case FocusTarget::ValueList: {
        if (!platform_.ClipboardHasText())
            return;
        // The file holds each listed value on one line.
        const int position = ui->Values->currentRow() + 1;
        {
            const QSignalBlocker blocker(ui->Values);
            ui->Values->insertItem(position, JoinedLines(platform_.ClipboardText()));
        }
        SelectValue(position);
        ValuesClick();
        break;
    }
    case FocusTarget::Other:
        break;
    }
}

void TMainForm::MoveSelected(int offset)
{
    QListWidget* list = FocusedList();
    if (!list)
        return;
    const int selected = list->currentRow();
    const int neighbour = selected + offset;
    if (selected < 0 || neighbour < 0 || neighbour >= list->count())
        return;
    const QString movedText = list->item(selected)->text();
    list->item(selected)->setText(list->item(neighbour)->text());
    list->item(neighbour)->setText(movedText);
    if (list == ui->OptionList) {
        // The fields stay with the moved option, which stays current.
        SelectOption(neighbour);
        currentOption_ = neighbour;
        document_.SwapOptions(selected, neighbour);
        UpdateHazardMarks();
    } else {
        SelectValue(neighbour);
    }
}

void TMainForm::EditUpExecute()
{
    MoveSelected(-1);
}

void TMainForm::EditDownExecute()
{
    MoveSelected(+1);
}
