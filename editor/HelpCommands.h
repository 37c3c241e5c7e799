#pragma once

#include "system/FilePath.h"

#include <QObject>
#include <QString>

class MenuFocus;
class Platform;
class QAction;
class QDialog;
class QTabWidget;
class QUrl;
class QWidget;
class Dialogs;
class ShortcutUse;
class THelpWindow;

// The Help menu: the built-in manual in a help window, or the platform's
// viewer for the compiled help file where it has one, and the About box.
class HelpCommands : public QObject
{
public:
    // contents is the Contents action, whose key (F1) asks for the topic
    // of the control being worked in, else of the page shown.
    HelpCommands(QWidget& window, Platform& platform, Dialogs& dialogs, const MenuFocus& focus,
                 const QTabWidget& pages, QAction& contents);

    // The compiled help file: the editor's own path without its last six
    // characters, plus ".chm" ("QuarnEd.exe" gives "Quarn.chm" beside it).
    // An executable without the ".exe" suffix finds the same file name in
    // its folder.
    FilePath HelpPath() const { return helpPath_; }
    void AttachAboutBox(QDialog& aboutBox);

    void Contents();
    void Search();
    void About();

private:
    // The help window, created when help is first asked for.
    THelpWindow& HelpWindow();
    QUrl ContextTopic() const;

    QWidget& window_;
    Platform& platform_;
    Dialogs& dialogs_;
    const MenuFocus& focus_;
    const QTabWidget& pages_;
    ShortcutUse* key_;
    FilePath helpPath_;
    QDialog* aboutBox_ = nullptr;
    THelpWindow* helpWindow_ = nullptr;
};
