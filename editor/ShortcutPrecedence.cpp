#include "editor/ShortcutPrecedence.h"

#include "editor/MenuFocus.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QWidget>

#include <algorithm>

ShortcutPrecedence::ShortcutPrecedence(QWidget* window, std::function<void()> refresh)
    : QObject(window), window_(window), refresh_(std::move(refresh))
{
    qApp->installEventFilter(this);
}

void ShortcutPrecedence::AddAction(QAction* action)
{
    if (!action->shortcuts().isEmpty())
        actions_.append(action);
}

void ShortcutPrecedence::LetControlFirst(QAction* action,
                                         std::function<bool(const QWidget*)> controlFirst)
{
    controlFirst_.emplace_back(action, std::move(controlFirst));
}

QKeySequence PressedKeys(const QKeyEvent& key)
{
    return QKeySequence(QKeyCombination(key.modifiers() & ~Qt::KeypadModifier, Qt::Key(key.key())));
}

const QAction* ShortcutPrecedence::ActionOf(const QKeyEvent& key) const
{
    const QKeySequence pressed = PressedKeys(key);
    for (const QAction* action : actions_) {
        if (action->shortcuts().contains(pressed))
            return action;
    }
    return nullptr;
}

bool ShortcutPrecedence::ControlComesFirst(const QAction* action, const QWidget* focus) const
{
    return std::any_of(
        controlFirst_.begin(), controlFirst_.end(),
        [action, focus](const auto& rule) { return rule.first == action && rule.second(focus); });
}

bool ShortcutPrecedence::ResolveSharedAccelerator(const QKeySequence& key) const
{
    // Only a clash with a menu of the menu bar is settled here; controls
    // that share a letter among themselves are left to Qt, which moves the
    // focus from one to the next at each press and clicks none of them.
    auto* bar = window_->findChild<QMenuBar*>();
    if (!bar)
        return false;
    const QList<QAction*> menus = bar->actions();
    const auto menu = std::find_if(menus.begin(), menus.end(), [&key](const QAction* item) {
        return item->isVisible() && item->isEnabled() &&
               QKeySequence::mnemonic(item->text()) == key;
    });
    if (menu == menus.end())
        return false;
    // An enabled button of the shown page first (Alt+E, Alt+H), then the
    // menu (Alt+F stays the File menu even where a label has &F).
    for (QAbstractButton* button : window_->findChildren<QAbstractButton*>()) {
        if (button->shortcut() == key && button->isVisible() && button->isEnabled()) {
            button->animateClick();
            return true;
        }
    }
    OpenMenuFromKeyboard(*bar, *menu);
    return true;
}

bool ShortcutPrecedence::IsUnmatchedAccelerator(const QKeyEvent& key)
{
    // Alt with a letter that no shortcut took (its label's control is
    // disabled or hidden); Qt would type the letter into a text box. Ctrl
    // with Alt is AltGr on Windows, which types characters.
    const Qt::KeyboardModifiers modifiers = key.modifiers();
    return modifiers.testFlag(Qt::AltModifier) &&
           !(modifiers & (Qt::ControlModifier | Qt::MetaModifier)) && !key.text().isEmpty() &&
           key.text().front().isPrint();
}

bool ShortcutPrecedence::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::Shortcut) {
        // An accelerator shared by a menu of the menu bar and a control of
        // the shown page.
        auto* shortcut = static_cast<QShortcutEvent*>(event);
        auto* widget = qobject_cast<QWidget*>(watched);
        return shortcut->isAmbiguous() && widget && widget->window() == window_ &&
               ResolveSharedAccelerator(shortcut->key());
    }
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != window_)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (type == QEvent::KeyPress && IsUnmatchedAccelerator(*key) &&
        !qobject_cast<QMenuBar*>(widget)) {
        key->accept();
        return true;
    }
    const QAction* action = ActionOf(*key);
    if (!action)
        return false;
    if (ControlComesFirst(action, widget)) {
        // Accepting the override hands the key press to the control.
        if (type == QEvent::ShortcutOverride)
            key->accept();
        return type == QEvent::ShortcutOverride;
    }
    if (type == QEvent::ShortcutOverride) {
        // Not accepted: Qt goes on to the action's shortcut, which runs
        // when the freshly computed state enables it.
        refresh_();
        key->ignore();
        return true;
    }
    // A key press only arrives here when the action was disabled.
    key->accept();
    return true;
}
