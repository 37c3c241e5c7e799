// Go, the help commands (the built-in manual, or the platform's viewer for
// the compiled help file) and the About box; the rules that enable Go and
// the Hide button from the Program field.
#include "editor/MainForm.h"

#include "editor/ContextHelp.h"
#include "editor/HelpWindow.h"
#include "editor/MenuFocus.h"
#include "system/Launcher.h"
#include "system/PathNames.h"
#include "system/Platform.h"
#include "ui_MainForm.h"

void TMainForm::GoUpdate()
{
    ui->Go->setEnabled(!ui->Program->text().isEmpty());
}

void TMainForm::GoExecute()
{
    if (QuerySaveChanges() != 2)
        return;
    // A document that still has no file (Save As cancelled) has nothing to launch.
    if (!document_.Path.empty())
        LaunchDefinition(FromDocumentPath(document_.Path));
}

void TMainForm::LaunchDefinition(const QString& definition)
{
    // The desktop's "open" would start a second editor on the file when the
    // editor is the application for definition files; the launcher beside
    // the editor runs it instead.
    const QString application = platform_.DefaultApplicationFor(definition);
    if (!application.isEmpty() && !IsEditorApplication(application)) {
        platform_.OpenDocument(definition);
        return;
    }
    const QString launcher = LauncherPathFor(platform_.ExecutablePath());
    const bool found = platform_.FileExists(launcher);
    if (found && platform_.StartDetached(launcher, {definition}))
        return;
    dialogs_.ShowError(
        this, QStringLiteral("Quarn Editor"),
        QStringLiteral("Cannot launch %1:\nno application but this editor opens "
                       "definition files, and the launcher\n%2\n%3.")
            .arg(definition, launcher,
                 found ? QStringLiteral("could not be started") : QStringLiteral("was not found")));
}

void TMainForm::ProgramChange()
{
    ui->Hide->setEnabled(!ui->Program->text().isEmpty());
}

void TMainForm::HelpContentsExecute()
{
    // F1 opens the topic of the field or page being worked in.
    const bool byKey = helpKey_->Take();
    if (platform_.HasCompiledHelp(helpPath_))
        platform_.ShowHelp(helpPath_, HelpView::Contents);
    else if (byKey)
        HelpWindow().ShowTopic(ContextHelpTopic());
    else
        HelpWindow().ShowContents();
}

void TMainForm::HelpSearchExecute()
{
    if (platform_.HasCompiledHelp(helpPath_))
        platform_.ShowHelp(helpPath_, HelpView::Index);
    else
        HelpWindow().ShowIndex();
}

THelpWindow& TMainForm::HelpWindow()
{
    if (!helpWindow_)
        helpWindow_ = new THelpWindow(this);
    return *helpWindow_;
}

QUrl TMainForm::ContextHelpTopic() const
{
    const QUrl topic = HelpTopicFor(menuFocus_->Control());
    return topic.isEmpty() ? HelpTopicFor(ui->PageControl->currentWidget()) : topic;
}

void TMainForm::HelpAboutExecute()
{
    if (aboutBox_)
        dialogs_.ShowModal(*aboutBox_);
}
