#include "editor/MainForm.h"

#include "editor/DocumentUndo.h"
#include "editor/DraftCommands.h"
#include "editor/EditBoxes.h"
#include "editor/EditCommands.h"
#include "editor/FileDropRouter.h"
#include "editor/HazardMarks.h"
#include "editor/HelpCommands.h"
#include "editor/MenuFocus.h"
#include "editor/OptionList.h"
#include "editor/OptionPane.h"
#include "editor/PreviewCommands.h"
#include "editor/ProgramSettingsPage.h"
#include "editor/RecentFiles.h"
#include "editor/ShortcutPrecedence.h"
#include "editor/TextBoxTarget.h"
#include "editor/ValueList.h"
#include "system/ProgramHider.h"
#include "ui_MainForm.h"

#include <QCloseEvent>
#include <QCursor>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QShortcut>
#include <QStatusTipEvent>
#include <QTabBar>

namespace {

// Tool-bar buttons carry the names of the window's design.
constexpr std::pair<const char*, const char*> ToolButtonNames[] = {
    {"FileExit", "ExitButton"},     {"FileNew", "NewButton"},      {"FileOpen", "OpenButton"},
    {"FileSave", "SaveButton"},     {"Go", "ToolButton5"},         {"EditNew", "NewItemButton"},
    {"EditDelete", "DelButton"},    {"EditCut", "CutButton"},      {"EditCopy", "CopyButton"},
    {"EditPaste", "PasteButton"},   {"EditUp", "UpButton"},        {"EditDown", "DownButton"},
    {"HelpContents", "HelpButton"}, {"HelpAbout", "AboutButton"},
};

} // namespace

TMainForm::TMainForm(Platform& platform, Dialogs& dialogs, std::vector<FilePath> arguments,
                     QWidget* parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::TMainForm>()), platform_(platform),
      dialogs_(dialogs), arguments_(std::move(arguments)),
      hider_(std::make_unique<ProgramHider>(platform, dialogs, this))
{
    ui->setupUi(this);
    menuFocus_ = new MenuFocus(this, ui->MainMenu);
    ui->File->menuAction()->setStatusTip(QStringLiteral("File related commands"));
    ui->Edit->menuAction()->setStatusTip(QStringLiteral("Edit commands"));
    ui->View->menuAction()->setStatusTip(QStringLiteral("Preview commands"));
    ui->Help->menuAction()->setStatusTip(QStringLiteral("Help topics"));
    ui->PageControl->tabBar()->setFocusPolicy(Qt::NoFocus);
    for (const auto& [action, button] : ToolButtonNames) {
        if (auto* item = findChild<QAction*>(QLatin1String(action)))
            ui->ToolBar->widgetForAction(item)->setObjectName(QLatin1String(button));
    }
    setMinimumSize(minimumSizeHint().expandedTo(QSize(452, 370)));
    // Tab goes from the last field of the first page to the option list.
    setTabOrder(ui->GlobalPage->LastField(), ui->OptionList);
    setTabOrder(ui->OptionList, ui->OptionPane->FirstField());

    // "*" matches every name here, as "*.*" does on Windows.
    openDialog_ = {FileDialogSettings::Kind::Open, QStringLiteral("Open definition file"),
                   QStringLiteral("Definition files (*.Quarn);;All Files (*)"),
                   QStringLiteral("Quarn"), true, FilePath()};
    saveDialog_ = {FileDialogSettings::Kind::Save, QStringLiteral("Save definition file"),
                   QStringLiteral("Definition files (*.Quarn)"), QStringLiteral("Quarn"), false,
                   FilePath()};

    // The pages, the commands that act on them, and what they tell.
    ui->GlobalPage->Setup(platform_, dialogs_, codec_);
    ui->OptionPane->Setup(platform_, codec_);
    marks_ = std::make_unique<HazardMarks>(*ui->OptionList, *ui->StatusBar, document_,
                                           *ui->GlobalPage, *ui->OptionPane, codec_);
    options_ = new OptionList(*ui->OptionList, *ui->OptionPane, document_, *marks_, codec_);
    undo_ = new DocumentUndo(
        document_, codec_,
        {*ui->PageControl, *ui->GlobalPage, *ui->OptionsPage, *options_, *ui->OptionPane},
        *ui->EditUndo, *ui->EditRedo);
    textBoxes_ = new TextBoxTarget(*menuFocus_, platform_, this);
    editCommands_ = new EditCommands(*menuFocus_,
                                     [this](const QString& name, const std::function<void()>& run) {
                                         undo_->RunStep(name, run);
                                     },
                                     {ui->EditNew, ui->EditDelete, ui->EditCut, ui->EditCopy,
                                      ui->EditPaste, ui->EditUp, ui->EditDown},
                                     this);
    editCommands_->AddTarget(*options_);
    editCommands_->AddTarget(ui->OptionPane->Values());
    editCommands_->AddTarget(*textBoxes_);
    recent_ = new RecentFiles(platform_, *ui->File);
    help_ = new HelpCommands(*this, platform_, dialogs_, *menuFocus_, *ui->PageControl,
                             *ui->HelpContents);
    drafts_ = new DraftCommands(
        *this, platform_, dialogs_,
        {*ui->PageControl, *ui->OptionsPage, *ui->GlobalPage, *options_, *undo_, codec_},
        *ui->EditDraftOptions);
    connect(recent_, &RecentFiles::Chosen, this, &TMainForm::OpenDefinition);
    connect(undo_, &DocumentUndo::StateShown, this, &TMainForm::UpdateHideState);
    connect(ui->GlobalPage, &TProgramSettingsPage::ProgramChanged, this,
            [this](const QString& program) { ui->Go->setEnabled(!program.isEmpty()); });
    connect(ui->GlobalPage, &TProgramSettingsPage::HideClicked, this, &TMainForm::HideClick);
    WireActions();
    PrepareEditBoxes();
    // After the window's own boxes are prepared: the preview's are the
    // launcher's.
    preview_ = new PreviewCommands(platform_, dialogs_, *ui->PageControl,
                                   [this] { return ShownDocument(); }, *ui->ViewPreview,
                                   *ui->ViewRunInPreview, this);
    // The title's mark of unsaved changes and the preview follow the fields'
    // edits and the options chosen; every command (Bind) and every new title
    // take the modified test again too, and every state shown
    // (UpdateHideState) refreshes the preview.
    connect(ui->GlobalPage, &TProgramSettingsPage::Edited, this, &TMainForm::ShownChanged);
    connect(ui->OptionPane, &TOptionPane::Edited, this, &TMainForm::ShownChanged);
    connect(options_, &OptionList::Chose, this, &TMainForm::ShownChanged);
    connect(options_, &EditTarget::Changed, preview_, &PreviewCommands::Outdated);
    new FileDropRouter(*this, [this](const FilePath& path) {
        // Handled once the drop is over: a save prompt must not keep the
        // application the files came from waiting for the drop's end.
        QMetaObject::invokeMethod(
            this, [this, path] { DropFile(path); }, Qt::QueuedConnection);
    });

    document_.Reset();
    UpdateTitle();
    ui->Go->setEnabled(false);
    RefreshActions();
}

TMainForm::~TMainForm() = default;

int TMainForm::CurrentOption() const
{
    return options_->Current();
}

const COption& TMainForm::CopiedOption() const
{
    return options_->Copied();
}

FilePath TMainForm::HelpPath() const
{
    return help_->HelpPath();
}

void TMainForm::Bind(QAction* action, std::function<void()> execute)
{
    // Availability is computed again just before a command runs.
    connect(action, &QAction::triggered, this, [this, action, execute] {
        RefreshActions();
        if (action->isEnabled())
            execute();
        UpdateModifiedMark();
    });
}

void TMainForm::WireActions()
{
    Bind(ui->FileNew, [this] { FileNewExecute(); });
    Bind(ui->FileNewFromProgram, [this] { drafts_->NewFromProgram(); });
    Bind(ui->FileOpen, [this] { FileOpenExecute(); });
    Bind(ui->FileSave, [this] { SaveDocument(); });
    Bind(ui->FileSaveAs, [this] { SaveDocumentAs(); });
    Bind(ui->Go, [this] { GoExecute(); });
    Bind(ui->FileExit, [this] { close(); });
    const std::pair<QAction*, EditCommand> edits[] = {
        {ui->EditNew, EditCommand::New},     {ui->EditDelete, EditCommand::Delete},
        {ui->EditCut, EditCommand::Cut},     {ui->EditCopy, EditCommand::Copy},
        {ui->EditPaste, EditCommand::Paste}, {ui->EditUp, EditCommand::Up},
        {ui->EditDown, EditCommand::Down},
    };
    for (const auto& [action, command] : edits) {
        const EditCommand edit = command;
        Bind(action, [this, edit] { editCommands_->Run(edit); });
    }
    Bind(ui->EditUndo, [this] { undo_->Undo(); });
    Bind(ui->EditRedo, [this] { undo_->Redo(); });
    Bind(ui->EditDraftOptions, [this] { drafts_->DraftOptions(); });
    ui->EditRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                                QKeySequence(Qt::CTRL | Qt::Key_Y)});
    Bind(ui->HelpContents, [this] { help_->Contents(); });
    Bind(ui->HelpSearch, [this] { help_->Search(); });
    Bind(ui->HelpAbout, [this] { help_->About(); });
    // F10 opens the menu bar, as on the common desktops.
    connect(new QShortcut(Qt::Key_F10, this), &QShortcut::activated, this,
            [this] { OpenMenuFromKeyboard(*ui->MainMenu, ui->File->menuAction()); });

    // Every action is reachable through its shortcut from anywhere in the
    // window, and the shortcut wins over the focused control.
    auto* precedence = new ShortcutPrecedence(this, [this] { RefreshActions(); });
    for (QAction* action : findChildren<QAction*>()) {
        action->setShortcutContext(Qt::WindowShortcut);
        precedence->AddAction(action);
    }
    precedence->LetControlFirst(ui->EditUndo, CanUndoTyping);
    precedence->LetControlFirst(ui->EditRedo, CanRedoTyping);
}

void TMainForm::RefreshActions()
{
    editCommands_->UpdateActions();
    undo_->UpdateActions();
}

void TMainForm::PrepareEditBoxes()
{
    for (QLineEdit* box : findChildren<QLineEdit*>()) {
        // Any text the file can carry must fit; the default cuts at 32767.
        box->setMaxLength(std::numeric_limits<int>::max());
        box->setValidator(new SingleLineValidator(box));
        box->installEventFilter(this);
        box->installEventFilter(undo_);
        textBoxes_->Watch(box);
    }
    for (QPlainTextEdit* memo : findChildren<QPlainTextEdit*>()) {
        memo->installEventFilter(undo_);
        textBoxes_->Watch(memo);
    }
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        // A single-line box that gets the focus by keyboard or from the
        // program shows its whole text selected; a mouse click places the
        // caret, and a window that becomes active again keeps the selection.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (auto* box = qobject_cast<QLineEdit*>(watched);
            box && reason != Qt::MouseFocusReason && reason != Qt::PopupFocusReason &&
            reason != Qt::ActiveWindowFocusReason && reason != Qt::MenuBarFocusReason)
            box->selectAll();
    } else if (event->type() == QEvent::FocusOut && qobject_cast<QLineEdit*>(watched) &&
               static_cast<QFocusEvent*>(event)->reason() == Qt::MenuBarFocusReason) {
        // The menu bar borrows the focus while a menu is used from the
        // keyboard; the box keeps its selection for the Edit commands, as
        // it does for a popup menu.
        QFocusEvent keepSelection(QEvent::FocusOut, Qt::PopupFocusReason);
        QCoreApplication::sendEvent(watched, &keepSelection);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::ProcessCommandLine()
{
    recent_->ShowStored();
    if (!arguments_.empty())
        OpenDefinition(arguments_.front());
}

void TMainForm::AttachAboutBox(QDialog& aboutBox)
{
    help_->AttachAboutBox(aboutBox);
}

void TMainForm::AttachSearchForm(TSearchForm& searchForm)
{
    ui->GlobalPage->AttachSearchForm(searchForm);
}

void TMainForm::showEvent(QShowEvent* event)
{
    if (!centred_) {
        centred_ = true;
        if (const QScreen* screen = this->screen())
            move(screen->availableGeometry().center() - frameGeometry().center() + pos());
    }
    QMainWindow::showEvent(event);
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    // The close box, the system menu and Exit all arrive here.
    if (QuerySaveChanges() == UnsavedChanges::Cancelled) {
        event->ignore();
        return;
    }
    recent_->Save();
    event->accept();
}

bool TMainForm::event(QEvent* event)
{
    if (event->type() == QEvent::StatusTip) {
        // While a menu is open the bar shows the hint of the highlighted
        // item, whatever lies under the pointer and whichever event asks.
        if (menuFocus_->MenuActive()) {
            statusBar()->showMessage(menuFocus_->HighlightedHint());
            return true;
        }
        // A control without a hint of its own shows the hint of the nearest
        // control around it that has one, as the pointer moves over it.
        auto* tip = static_cast<QStatusTipEvent*>(event);
        if (tip->tip().isEmpty()) {
            for (QWidget* under = QApplication::widgetAt(QCursor::pos());
                 under && under->window() == this; under = under->parentWidget()) {
                if (!under->statusTip().isEmpty()) {
                    statusBar()->showMessage(under->statusTip());
                    return true;
                }
            }
        }
    }
    return QMainWindow::event(event);
}
