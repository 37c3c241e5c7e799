// Go, the help commands and the About box; the rules that enable Go and
// the Hide button from the Program field.
#include "editor/MainForm.h"

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
        platform_.OpenDocument(FromDocumentPath(document_.Path));
}

void TMainForm::ProgramChange()
{
    ui->Hide->setEnabled(!ui->Program->text().isEmpty());
}

void TMainForm::HelpContentsExecute()
{
    platform_.ShowHelp(helpPath_, HelpView::Contents);
}

void TMainForm::HelpSearchExecute()
{
    platform_.ShowHelp(helpPath_, HelpView::Index);
}

void TMainForm::HelpAboutExecute()
{
    if (aboutBox_)
        dialogs_.ShowModal(*aboutBox_);
}
