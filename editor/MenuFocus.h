#pragma once

#include <QObject>
#include <QPointer>

class QAction;
class QMenuBar;
class QWidget;

// A menu opened from the menu bar, by mouse or keyboard, takes the keyboard
// focus for itself (the menu bar in keyboard mode, or the open menu). The
// window's commands still act on the control that had the focus before,
// so this remembers the last control of the window outside the menus.
class MenuFocus : public QObject
{
public:
    MenuFocus(QWidget* window, QMenuBar* bar);

    // The control of the window that the keyboard works on, seen through an
    // open menu; null when the focus is outside the window.
    QWidget* Control() const;
    // True while the menu bar is active or a menu is open.
    bool MenuActive() const;
    // The hint of the highlighted item of the open menu, else of the
    // highlighted entry of the menu bar; empty when there is none.
    QString HighlightedHint() const;

private:
    void FocusChanged(QWidget* now);

    QWidget* window_;
    QMenuBar* bar_;
    QPointer<QWidget> control_;
};

// Opens menu of the menu bar as its accelerator does: dropped down, with
// its first item highlighted.
void OpenMenuFromKeyboard(QMenuBar& bar, QAction* menu);
