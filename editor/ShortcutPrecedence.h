#pragma once

#include <QList>
#include <QObject>

#include <functional>

class QAction;
class QKeyEvent;
class QKeySequence;
class QWidget;

// The window's action shortcuts come before the focused control: a key that
// belongs to an action never reaches a text box or list of the window,
// whether the action is enabled (it runs) or not (nothing happens). Qt's
// text boxes claim Delete, Ctrl+X/C/V/A and others through shortcut-override
// events, so those are refused here, and the key presses of disabled
// actions are swallowed. An accelerator that a menu and a control of the
// shown page share goes to an enabled button, else to the menu; one that
// finds no control types nothing.
class ShortcutPrecedence : public QObject
{
public:
    // refresh recomputes the actions' enabled states before a key is judged.
    ShortcutPrecedence(QWidget* window, std::function<void()> refresh);
    void AddAction(QAction* action);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool BelongsToAction(const QKeyEvent& key) const;
    bool ResolveSharedAccelerator(const QKeySequence& key) const;
    static bool IsUnmatchedAccelerator(const QKeyEvent& key);

    QWidget* window_;
    std::function<void()> refresh_;
    QList<QAction*> actions_;
};
