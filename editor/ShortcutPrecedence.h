#pragma once

#include <QList>
#include <QObject>

#include <functional>
#include <utility>
#include <vector>

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
    // While controlFirst(focus) holds, the action's keys go to the focused
    // control instead: a text box's own undo comes before the document's.
    void LetControlFirst(QAction* action, std::function<bool(const QWidget*)> controlFirst);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const QAction* ActionOf(const QKeyEvent& key) const;
    bool ControlComesFirst(const QAction* action, const QWidget* focus) const;
    bool ResolveSharedAccelerator(const QKeySequence& key) const;
    static bool IsUnmatchedAccelerator(const QKeyEvent& key);

    QWidget* window_;
    std::function<void()> refresh_;
    QList<QAction*> actions_;
    std::vector<std::pair<const QAction*, std::function<bool(const QWidget*)>>> controlFirst_;
};

// The key combination pressed, as shortcuts name it.
QKeySequence PressedKeys(const QKeyEvent& key);
