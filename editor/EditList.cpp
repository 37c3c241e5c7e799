#include "editor/EditList.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QSignalBlocker>

namespace {

class ClipboardKeys : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Cut) ||
                key->matches(QKeySequence::Paste))
                return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void PrepareEditList(QListWidget& list)
{
    QListWidget* shown = &list;
    QObject::connect(shown, &QListWidget::itemSelectionChanged, shown, [shown] {
        if (shown->selectedItems().isEmpty() && shown->currentItem()) {
            const QSignalBlocker blocker(shown);
            shown->currentItem()->setSelected(true);
        }
    });
    list.installEventFilter(new ClipboardKeys(&list));
}

void SelectRow(QListWidget& list, int row)
{
    const QSignalBlocker blocker(list);
    list.setCurrentRow(row);
}

void InsertEntry(QListWidget& list, int row, const QString& text)
{
    const QSignalBlocker blocker(list);
    list.insertItem(row, text);
}

void RemoveEntry(QListWidget& list, int row)
{
    const QSignalBlocker blocker(list);
    delete list.takeItem(row);
}

bool CanMoveCurrent(const QListWidget& list, int offset)
{
    const int row = list.currentRow();
    return row >= 0 && row + offset >= 0 && row + offset < list.count();
}

int MoveCurrent(QListWidget& list, int offset)
{
    const int row = list.currentRow();
    const int neighbour = row + offset;
    const QString moved = list.item(row)->text();
    list.item(row)->setText(list.item(neighbour)->text());
    list.item(neighbour)->setText(moved);
    SelectRow(list, neighbour);
    return neighbour;
}

bool CanRunOnList(const QListWidget& list, EditCommand command, bool canPaste)
{
    switch (command) {
    case EditCommand::New:
        return true;
    case EditCommand::Delete:
    case EditCommand::Cut:
    case EditCommand::Copy:
        return list.currentRow() >= 0;
    case EditCommand::Paste:
        return canPaste;
    case EditCommand::Up:
        return CanMoveCurrent(list, -1);
    case EditCommand::Down:
        return CanMoveCurrent(list, +1);
    }
    return false;
}
