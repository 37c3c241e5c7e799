#include "editor/ValueList.h"

#include "editor/EditBoxes.h"
#include "editor/EditList.h"
#include "system/Platform.h"

#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>

ValueList::ValueList(QListWidget& list, QLineEdit& box, Platform& platform)
    : EditTarget(&list), list_(list), box_(box), platform_(platform)
{
    PrepareEditList(list_);
    connect(&list_, &QListWidget::currentRowChanged, this, &ValueList::ShowSelected);
    connect(&box_, &QLineEdit::textChanged, this, &ValueList::BoxEdited);
    connect(&list_, &QListWidget::currentRowChanged, this, &EditTarget::Changed);
    connect(list_.model(), &QAbstractItemModel::rowsInserted, this, &EditTarget::Changed);
    connect(list_.model(), &QAbstractItemModel::rowsRemoved, this, &EditTarget::Changed);
}

void ValueList::Show(const QStringList& values)
{
    {
        const QSignalBlocker blocker(list_);
        list_.clear();
        list_.addItems(values);
    }
    if (list_.count() > 0)
        Select(0);
    else
        box_.clear();
}

QStringList ValueList::Values() const
{
    QStringList values;
    for (int i = 0; i < list_.count(); ++i)
        values.append(list_.item(i)->text());
    return values;
}

void ValueList::ShowSelected()
{
    const int row = list_.currentRow();
    box_.setText(row >= 0 ? list_.item(row)->text() : QString());
}

void ValueList::Select(int row)
{
    SelectRow(list_, row);
    ShowSelected();
    Q_EMIT Changed();
}

void ValueList::BoxEdited()
{
    // Only a selected value can be edited; with none the box stays empty.
    if (QListWidgetItem* item = list_.currentItem())
        item->setText(box_.text());
    else
        box_.clear();
}

bool ValueList::Owns(const QWidget* control) const
{
    return control == &list_;
}

bool ValueList::CanRun(EditCommand command) const
{
    return CanRunOnList(list_, command, platform_.ClipboardHasText());
}

void ValueList::Insert(int row, const QString& text)
{
    InsertEntry(list_, row, text);
    Select(row);
}

void ValueList::Run(EditCommand command)
{
    const int selected = list_.currentRow();
    switch (command) {
    case EditCommand::New:
        Insert(selected + 1, QStringLiteral("Value ") + QString::number(selected + 2));
        box_.setFocus();
        box_.selectAll();
        break;
    case EditCommand::Delete:
        if (selected < 0)
            return;
        RemoveEntry(list_, selected);
        Select(selected < list_.count() ? selected : selected - 1);
        break;
    case EditCommand::Copy:
        if (selected >= 0)
            platform_.SetClipboardText(list_.item(selected)->text());
        break;
    case EditCommand::Paste:
        // The file holds each listed value on one line.
        if (platform_.ClipboardHasText())
            Insert(selected + 1, JoinedLines(platform_.ClipboardText()));
        break;
    case EditCommand::Up:
    case EditCommand::Down:
        if (const int offset = command == EditCommand::Up ? -1 : +1;
            CanMoveCurrent(list_, offset))
            MoveCurrent(list_, offset);
        break;
    case EditCommand::Cut:
        break;
    }
}

QString ValueList::StepName(EditCommand command) const
{
    return ListStepName(command, QStringLiteral("value"));
}
