#include "editor/DraftCommands.h"

#include "editor/BackgroundDraft.h"
#include "editor/DocumentUndo.h"
#include "editor/DraftReviewDialog.h"
#include "editor/MainForm.h"
#include "editor/OptionList.h"
#include "editor/ProgramSettingsPage.h"
#include "system/DisplayNames.h"
#include "system/ExecutableDialog.h"
#include "system/Platform.h"
#include "system/TextCodec.h"

#include <QAction>
#include <QTabWidget>

namespace {

const QString FailureCaption = QStringLiteral("Could not draft from program");

} // namespace

DraftCommands::DraftCommands(TMainForm& window, Platform& platform, Dialogs& dialogs,
                             DraftParts parts, QAction& draftOptions)
    : QObject(&window), window_(window), platform_(platform), dialogs_(dialogs), parts_(parts),
      draftOptions_(draftOptions), programDialog_(ExecutableDialogSettings())
{
    programDialog_.title = QStringLiteral("Select program");
    // A name typed into the dialog may be a program on the search path.
    programDialog_.fileMustExist = false;
    connect(&parts_.pages, &QTabWidget::currentChanged, this, &DraftCommands::UpdateDraftOptions);
    connect(&parts_.settings, &TProgramSettingsPage::ProgramChanged, this,
            &DraftCommands::UpdateDraftOptions);
    UpdateDraftOptions();
}

void DraftCommands::UpdateDraftOptions()
{
    draftOptions_.setEnabled(parts_.pages.currentWidget() == &parts_.optionsPage &&
                             !parts_.settings.Program().isEmpty());
}

void DraftCommands::Fail(const QString& text)
{
    dialogs_.ShowError(&window_, FailureCaption, text);
}

std::string DraftCommands::ChooseProgram()
{
    if (!dialogs_.ChooseFile(&window_, programDialog_))
        return {};
    const FilePath& chosen = programDialog_.fileName;
    if (platform_.FileExists(chosen))
        return chosen.Bytes();
    const FilePath name = chosen.FileName();
    if (!name.IsEmpty() && !platform_.FindExecutable(name, platform_.CurrentDirectory()).IsEmpty())
        return name.Bytes();
    Fail(QStringLiteral("There is no program named %1 on the search path.")
             .arg(VisibleFileName(name.Text())));
    return {};
}

void DraftCommands::NewFromProgram()
{
    if (window_.QuerySaveChanges() == TMainForm::UnsavedChanges::Cancelled)
        return;
    const std::string program = ChooseProgram();
    if (program.empty())
        return;
    const ProgramDraft draft = DraftInBackground(program);
    if (!draft.ok) {
        Fail(draft.problem);
        return;
    }
    if (draft.OptionCount() == 0) {
        Fail(QStringLiteral("The help of %1 lists no options.")
                 .arg(VisibleFileName(FilePath(program).Text())));
        return;
    }
    window_.ShowNewDocument(draft.def);
}

void DraftCommands::DraftOptions()
{
    // The ticks compare with the options as their fields show them.
    window_.CollectDocument();
    const std::string program = parts_.settings.ProgramPath().Bytes();
    TDraftReviewDialog review(
        program, window_.Document().Current.Options, parts_.codec,
        [program](HelpSource source) { return DraftInBackground(program, source); }, &window_);
    review.Show(DraftInBackground(program));
    dialogs_.ShowModal(review);
    const std::vector<COption> ticked =
        review.result() == QDialog::Accepted ? review.Ticked() : std::vector<COption>();
    if (ticked.empty())
        return;
    parts_.undo.RunStep(QStringLiteral("Draft options"), [this, ticked] {
        CDefDocument& document = window_.Document();
        OptionList& options = parts_.options;
        options.StoreFields();
        const int first = options.Current() + 1;
        std::vector<COption>& all = document.Current.Options;
        all.insert(all.begin() + first, ticked.begin(), ticked.end());
        options.ShowNames();
        options.Select(first);
        options.ShowSelected();
    });
}
