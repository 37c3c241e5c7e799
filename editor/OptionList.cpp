#include "editor/OptionList.h"

#include "document/DefDocument.h"
#include "editor/EditList.h"
#include "editor/HazardMarks.h"
#include "editor/OptionPane.h"
#include "system/TextCodec.h"

#include <QEvent>
#include <QListWidget>
#include <QSignalBlocker>

#include <utility>

OptionList::OptionList(QListWidget& list, TOptionPane& pane, CDefDocument& document,
                       HazardMarks& marks, const TextCodec& codec)
    : EditTarget(&list), list_(list), pane_(pane), document_(document), marks_(marks),
      codec_(codec)
{
    PrepareEditList(list_);
    // The user's selection, by keyboard or mouse, runs Click once; a click
    // on the entry that is already selected runs it too.
    connect(&list_, &QListWidget::currentRowChanged, this, [this] {
        rowChangedByPress_ = true;
        Click();
    });
    connect(&list_, &QListWidget::itemClicked, this, [this] {
        if (!rowChangedByPress_)
            Click();
        rowChangedByPress_ = false;
    });
    list_.viewport()->installEventFilter(this);
    connect(&pane_, &TOptionPane::NameEdited, this, &OptionList::NameEdited);
    connect(&pane_, &TOptionPane::DefaultToggled, this, &OptionList::DefaultToggled);
    connect(&list_, &QListWidget::currentRowChanged, this, &EditTarget::Changed);
    connect(list_.model(), &QAbstractItemModel::rowsInserted, this, &EditTarget::Changed);
    connect(list_.model(), &QAbstractItemModel::rowsRemoved, this, &EditTarget::Changed);
}

bool OptionList::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress)
        rowChangedByPress_ = false;
    return EditTarget::eventFilter(watched, event);
}

void OptionList::Click()
{
    Q_EMIT AboutToChoose();
    StoreFields();
    ShowSelected();
    Q_EMIT Chose();
}

void OptionList::ShowNames()
{
    const QSignalBlocker blocker(list_);
    const std::vector<COption>& options = document_.Current.Options;
    list_.clear();
    // In one go: the view lays out once rather than once per entry.
    QStringList names;
    names.reserve(static_cast<qsizetype>(options.size()));
    for (const COption& option : options)
        names.append(codec_.Decode(option.Name));
    list_.addItems(names);
    Q_EMIT Changed();
}

void OptionList::Select(int row)
{
    SelectRow(list_, row);
    Q_EMIT Changed();
}

void OptionList::Clear()
{
    current_ = -1;
    {
        const QSignalBlocker blocker(list_);
        list_.clear();
    }
    Q_EMIT Changed();
}

void OptionList::ShowSelected(bool keepMarks)
{
    current_ = list_.currentRow();
    if (current_ == -1) {
        pane_.ShowNone();
    } else {
        const bool wasKeeping = std::exchange(keepMarks_, keepMarks);
        pane_.Show(document_.OptionAt(current_));
        keepMarks_ = wasKeeping;
    }
    UpdateMarks();
}

void OptionList::StoreFields()
{
    if (current_ != -1)
        document_.OptionAt(current_) = pane_.Store(document_.OptionAt(current_).Information);
}

COption OptionList::ShownFields() const
{
    return pane_.Fields(document_.OptionAt(current_).Information);
}

void OptionList::UpdateMarks()
{
    marks_.Update(current_);
}

void OptionList::NameEdited(const QString& name)
{
    // The list entry follows the name box at every keystroke.
    if (current_ == -1)
        return;
    QListWidgetItem* entry = list_.item(current_);
    if (entry && entry->text() != name)
        entry->setText(name);
}

void OptionList::DefaultToggled(bool checked)
{
    if (current_ == -1 || keepMarks_)
        return;
    document_.SetDefaultOption(current_, checked);
    UpdateMarks(); // which entry is bold
}

bool OptionList::Owns(const QWidget* control) const
{
    return control == &list_;
}

bool OptionList::CanRun(EditCommand command) const
{
    return CanRunOnList(list_, command, copied_ != COption());
}

void OptionList::InsertOption(int row, const COption& option)
{
    StoreFields();
    document_.InsertOption(row, option);
    InsertEntry(list_, row, codec_.Decode(option.Name));
    Select(row);
    ShowSelected();
}

void OptionList::RemoveSelected()
{
    const int selected = list_.currentRow();
    if (selected < 0)
        return;
    RemoveEntry(list_, selected);
    document_.RemoveOption(selected);
    // The option that followed takes the place; after the last, the one before.
    Select(selected < list_.count() ? selected : selected - 1);
    ShowSelected();
}

void OptionList::Run(EditCommand command)
{
    const int selected = list_.currentRow();
    switch (command) {
    case EditCommand::New: {
        COption option;
        option.Name = "Option " + std::to_string(selected + 2);
        InsertOption(selected + 1, option);
        // Typing replaces the proposed name.
        pane_.FocusName();
        break;
    }
    case EditCommand::Delete:
        RemoveSelected();
        break;
    case EditCommand::Copy:
        // The option as its fields show it; its own record stays as it is.
        if (selected >= 0 && current_ != -1)
            copied_ = pane_.Store(document_.OptionAt(current_).Information);
        break;
    case EditCommand::Paste:
        if (copied_ != COption())
            InsertOption(selected + 1, copied_);
        break;
    case EditCommand::Up:
    case EditCommand::Down:
        if (const int offset = command == EditCommand::Up ? -1 : +1;
            CanMoveCurrent(list_, offset)) {
            // The fields stay with the moved option, which stays current.
            current_ = MoveCurrent(list_, offset);
            document_.SwapOptions(selected, current_);
            UpdateMarks();
        }
        break;
    case EditCommand::Cut:
        break;
    }
}

QString OptionList::StepName(EditCommand command) const
{
    return ListStepName(command, QStringLiteral("option"));
}
