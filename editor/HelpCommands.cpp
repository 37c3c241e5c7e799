#include "editor/HelpCommands.h"

#include "document/TextCompare.h"
#include "editor/ContextHelp.h"
#include "editor/HelpWindow.h"
#include "editor/MenuFocus.h"
#include "system/Dialogs.h"
#include "system/Platform.h"

#include <QTabWidget>

HelpCommands::HelpCommands(QWidget& window, Platform& platform, Dialogs& dialogs,
                           const MenuFocus& focus, const QTabWidget& pages, QAction& contents)
    : QObject(&window), window_(window), platform_(platform), dialogs_(dialogs), focus_(focus),
      pages_(pages), key_(new ShortcutUse(&contents))
{
    // QuarnEd.exe has Quarn.chm beside it; elsewhere the folder is looked in.
    const FilePath executable = platform_.ExecutablePath();
    const std::string& bytes = executable.Bytes();
    if (EqualIgnoringCase(executable.Extension(), ".exe") && bytes.size() >= 6)
        helpPath_ = FilePath(bytes.substr(0, bytes.size() - 6)) + ".chm";
    else
        helpPath_ = executable.Folder() + "Quarn.chm";
}

void HelpCommands::AttachAboutBox(QDialog& aboutBox)
{
    aboutBox_ = &aboutBox;
}

void HelpCommands::Contents()
{
    // F1 opens the topic of the field or page being worked in.
    const bool byKey = key_->Take();
    if (platform_.HasCompiledHelp(helpPath_))
        platform_.ShowHelp(helpPath_, HelpView::Contents);
    else if (byKey)
        HelpWindow().ShowTopic(ContextTopic());
    else
        HelpWindow().ShowContents();
}

void HelpCommands::Search()
{
    if (platform_.HasCompiledHelp(helpPath_))
        platform_.ShowHelp(helpPath_, HelpView::Index);
    else
        HelpWindow().ShowIndex();
}

void HelpCommands::About()
{
    if (aboutBox_)
        dialogs_.ShowModal(*aboutBox_);
}

THelpWindow& HelpCommands::HelpWindow()
{
    if (!helpWindow_)
        helpWindow_ = new THelpWindow(&window_);
    return *helpWindow_;
}

QUrl HelpCommands::ContextTopic() const
{
    const QUrl topic = HelpTopicFor(focus_.Control());
    return topic.isEmpty() ? HelpTopicFor(pages_.currentWidget()) : topic;
}
