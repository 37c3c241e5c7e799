#pragma once

#include <QObject>
#include <QUrl>

class QAction;
class QWidget;

// F1 asks for help on the control being worked in, while the Help menu's
// and the tool bar's Contents ask for the manual as a whole. The key
// reaches the action as a shortcut event, which tells the two apart.
class ShortcutUse : public QObject
{
public:
    explicit ShortcutUse(QAction* action);
    // Whether the action's last trigger came from its key; asks once.
    bool Take();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool byKey_ = false;
};

// The manual's topic on a control or page of the main window, or on the
// nearest one around it that has one; empty when there is none.
QUrl HelpTopicFor(const QWidget* control);
