#include "editor/MenuFocus.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>

MenuFocus::MenuFocus(QWidget* window, QMenuBar* bar) : QObject(window), window_(window), bar_(bar)
{
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { FocusChanged(now); });
}

void MenuFocus::FocusChanged(QWidget* now)
{
    // A menu is a window of its own; only the menu bar lies inside.
    if (now && now->window() == window_ && now != bar_)
        control_ = now;
}

bool MenuFocus::MenuActive() const
{
    // The bar has an active entry from the moment a menu starts to open.
    return bar_->activeAction() || QApplication::focusWidget() == bar_ ||
           qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

QString MenuFocus::HighlightedHint() const
{
    const auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu && menu->activeAction())
        return menu->activeAction()->statusTip();
    return bar_->activeAction() ? bar_->activeAction()->statusTip() : QString();
}

QWidget* MenuFocus::Control() const
{
    if (MenuActive())
        return control_ && control_->window() == window_ ? control_.data() : nullptr;
    QWidget* focus = QApplication::focusWidget();
    return focus && focus->window() == window_ ? focus : nullptr;
}

void OpenMenuFromKeyboard(QMenuBar& bar, QAction* menu)
{
    bar.setActiveAction(menu);
    if (QMenu* items = menu->menu()) {
        for (QAction* item : items->actions()) {
            if (item->isVisible() && !item->isSeparator()) {
                items->setActiveAction(item);
                break;
            }
        }
    }
}
