#include "editor/ShortcutPrecedence.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QWidget>

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

bool ShortcutPrecedence::BelongsToAction(const QKeyEvent& key) const
{
    const QKeySequence pressed(
        QKeyCombination(key.modifiers() & ~Qt::KeypadModifier, Qt::Key(key.key())));
    for (const QAction* action : actions_) {
        if (action->shortcuts().contains(pressed))
            return true;
    }
    return false;
}

bool ShortcutPrecedence::ResolveSharedAccelerator(const QKeySequence& key) const
{
    // An enabled button of the shown page first (Alt+E, Alt+H), then the
    // menu bar (Alt+F stays the File menu even where a label has &F).
    for (QAbstractButton* button : window_->findChildren<QAbstractButton*>()) {
        if (button->shortcut() == key && button->isVisible() && button->isEnabled()) {
            button->animateClick();
            return true;
        }
    }
    if (auto* bar = window_->findChild<QMenuBar*>()) {
        for (QAction* menu : bar->actions()) {
            if (menu->isVisible() && menu->isEnabled() &&
                QKeySequence::mnemonic(menu->text()) == key) {
                bar->setActiveAction(menu);
                return true;
            }
        }
    }
    return false;
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
    if (!BelongsToAction(*key))
        return false;
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
