#include "editor/MainForm.h"

#include "editor/ContextHelp.h"
#include "editor/EditBoxes.h"
#include "editor/MenuFocus.h"
#include "editor/ShortcutPrecedence.h"
#include "system/ExecutableDialog.h"
#include "system/ExecutableSearch.h"
#include "system/Platform.h"
#include "system/ProgramHider.h"
#include "ui_MainForm.h"

#include <QAbstractEventDispatcher>
#include <QCloseEvent>
#include <QCursor>
#include <QFileInfo>
#include <QKeyEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QShortcut>
#include <QStatusTipEvent>
#include <QTabBar>
#include <QToolButton>

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

TMainForm::TMainForm(Platform& platform, Dialogs& dialogs, QStringList arguments,
                     QWidget* parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::TMainForm>()), platform_(platform),
      dialogs_(dialogs), arguments_(std::move(arguments)),
      hider_(std::make_unique<ProgramHider>(platform, dialogs, this))
{
    ui->setupUi(this);
    menuFocus_ = new MenuFocus(this, ui->MainMenu);
    ui->File->menuAction()->setStatusTip(QStringLiteral("File related commands"));
    ui->Edit->menuAction()->setStatusTip(QStringLiteral("Edit commands"));
    ui->Help->menuAction()->setStatusTip(QStringLiteral("Help topics"));
    ui->PageControl->tabBar()->setFocusPolicy(Qt::NoFocus);
    ui->ImageDown->setPixmap(QIcon(QStringLiteral(":/pictures/hands.svg")).pixmap(32, 32));
    for (const auto& [action, button] : ToolButtonNames) {
        if (auto* item = findChild<QAction*>(QLatin1String(action)))
            ui->ToolBar->widgetForAction(item)->setObjectName(QLatin1String(button));
    }
    setMinimumSize(minimumSizeHint().expandedTo(QSize(452, 370)));
    hazardSummary_ = new QLabel(ui->StatusBar);
    hazardSummary_->setObjectName(QStringLiteral("HazardSummary"));
    hazardSummary_->hide();
    ui->StatusBar->addPermanentWidget(hazardSummary_);
    // The entries' marks explain themselves in the status bar.
    ui->OptionList->setMouseTracking(true);

    // "*" matches every name here, as "*.*" does on Windows.
    openDialog_ = {FileDialogSettings::Kind::Open, QStringLiteral("Open definition file"),
                   QStringLiteral("Definition files (*.Quarn);;All Files (*)"),
                   QStringLiteral("Quarn"), true, QString()};
    saveDialog_ = {FileDialogSettings::Kind::Save, QStringLiteral("Save definition file"),
                   QStringLiteral("Definition files (*.Quarn)"), QStringLiteral("Quarn"), false,
                   QString()};
    openExeDialog_ = ExecutableDialogSettings();

    WireActions();
    ConnectOptionPane();
    PrepareEditBoxes();
    RouteFileDrops();
    connect(ui->Program, &QLineEdit::textChanged, this, &TMainForm::ProgramChange);
    connect(ui->ProgramButton, &QPushButton::clicked, this, &TMainForm::ProgramButtonClick);
    connect(ui->ShellButton, &QPushButton::clicked, this, &TMainForm::ShellButtonClick);
    connect(ui->DirectoryButton, &QPushButton::clicked, this, &TMainForm::DirectoryButtonClick);
    connect(ui->Hide, &QPushButton::clicked, this, &TMainForm::HideClick);

    // The enabling rules run whenever the event loop runs out of work.
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            &TMainForm::UpdateActions);

    document_.Reset();
    FormCreate();
}

TMainForm::~TMainForm() = default;

void TMainForm::FormCreate()
{
    ReadRecentFiles();
    // The editor's own path without its last six characters, plus ".chm":
    // "QuarnEd.exe" gives "Quarn.chm" beside it. An executable without the
    // ".exe" suffix finds the same file name in its folder.
    const QString executable = platform_.ExecutablePath();
    if (executable.endsWith(QStringLiteral(".exe"), Qt::CaseInsensitive))
        helpPath_ = executable.left(executable.size() - 6) + QStringLiteral(".chm");
    else
        helpPath_ = QFileInfo(executable).absolutePath() + QStringLiteral("/Quarn.chm");
}

void TMainForm::Bind(QAction* action, void (TMainForm::*execute)())
{
    // Availability is computed again just before a command runs.
    connect(action, &QAction::triggered, this, [this, action, execute] {
        UpdateActions();
        if (action->isEnabled())
            RunCommand(action, execute);
    });
}

void TMainForm::WireActions()
{
    Bind(ui->FileNew, &TMainForm::FileNewExecute);
    Bind(ui->FileOpen, &TMainForm::FileOpenExecute);
    Bind(ui->FileSave, &TMainForm::FileSaveExecute);
    Bind(ui->FileSaveAs, &TMainForm::FileSaveAsExecute);
    Bind(ui->Go, &TMainForm::GoExecute);
    Bind(ui->FileExit, &TMainForm::FileExitExecute);
    Bind(ui->EditNew, &TMainForm::EditNewExecute);
    Bind(ui->EditDelete, &TMainForm::EditDeleteExecute);
    Bind(ui->EditCut, &TMainForm::EditCutExecute);
    Bind(ui->EditCopy, &TMainForm::EditCopyExecute);
    Bind(ui->EditPaste, &TMainForm::EditPasteExecute);
    Bind(ui->EditUp, &TMainForm::EditUpExecute);
    Bind(ui->EditDown, &TMainForm::EditDownExecute);
    Bind(ui->EditUndo, &TMainForm::EditUndoExecute);
    Bind(ui->EditRedo, &TMainForm::EditRedoExecute);
    ui->EditRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                                QKeySequence(Qt::CTRL | Qt::Key_Y)});
    Bind(ui->HelpContents, &TMainForm::HelpContentsExecute);
    helpKey_ = new ShortcutUse(ui->HelpContents);
    Bind(ui->HelpSearch, &TMainForm::HelpSearchExecute);
    Bind(ui->HelpAbout, &TMainForm::HelpAboutExecute);
    for (QAction* item : {ui->OldIni1, ui->OldIni2, ui->OldIni3, ui->OldIni4})
        connect(item, &QAction::triggered, this, &TMainForm::OldIniClick);
    // F10 opens the menu bar, as on the common desktops.
    connect(new QShortcut(Qt::Key_F10, this), &QShortcut::activated, this,
            [this] { OpenMenuFromKeyboard(*ui->MainMenu, ui->File->menuAction()); });

    // Every action is reachable through its shortcut from anywhere in the
    // window, and the shortcut wins over the focused control.
    auto* precedence = new ShortcutPrecedence(this, [this] { UpdateActions(); });
    for (QAction* action : findChildren<QAction*>()) {
        action->setShortcutContext(Qt::WindowShortcut);
        precedence->AddAction(action);
    }
    precedence->LetControlFirst(ui->EditUndo, CanUndoTyping);
    precedence->LetControlFirst(ui->EditRedo, CanRedoTyping);
}

void TMainForm::PrepareEditBoxes()
{
    for (QLineEdit* box : findChildren<QLineEdit*>()) {
        // Any text the file can carry must fit; the default cuts at 32767.
        box->setMaxLength(std::numeric_limits<int>::max());
        box->setValidator(new SingleLineValidator(box));
        box->installEventFilter(this);
    }
    for (QPlainTextEdit* memo : findChildren<QPlainTextEdit*>())
        memo->installEventFilter(this);
    ui->OptionList->viewport()->installEventFilter(this);
    ui->OptionList->installEventFilter(this);
    ui->Values->installEventFilter(this);
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
    } else if (event->type() == QEvent::MouseButtonPress && watched == ui->OptionList->viewport()) {
        optionRowChangedByPress_ = false;
    } else if (event->type() == QEvent::KeyPress &&
               TypingUndoKey(watched, *static_cast<QKeyEvent*>(event))) {
        return true;
    } else if (event->type() == QEvent::KeyPress &&
               (watched == ui->OptionList || watched == ui->Values)) {
        // The lists' clipboard is the Edit commands'; Qt's own copy keys
        // (Ctrl+Insert) would put entry texts on the system clipboard.
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Cut) ||
            key->matches(QKeySequence::Paste))
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::ProcessCommandLine()
{
    const std::array<QString, 4> stored = recentFiles_;
    recentFiles_.fill(QString());
    for (auto it = stored.rbegin(); it != stored.rend(); ++it) {
        if (!it->isEmpty())
            AddRecentFile(*it);
    }
    if (!arguments_.isEmpty())
        OpenDefinition(arguments_.constFirst());
}

void TMainForm::AttachAboutBox(QDialog& aboutBox)
{
    aboutBox_ = &aboutBox;
}

void TMainForm::AttachSearchForm(TSearchForm& searchForm)
{
    search_ = std::make_unique<ExecutableSearch>(platform_, searchForm);
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

bool TMainForm::FormCloseQuery()
{
    return QuerySaveChanges() != 0;
}

void TMainForm::FormClose()
{
    SaveRecentFiles();
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    // The close box, the system menu and Exit all arrive here.
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
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

void TMainForm::UpdateActions()
{
    GoUpdate();
    EditNewUpdate();
    EditDeleteUpdate();
    EditPasteUpdate();
    EditUpUpdate();
    EditDownUpdate();
    EditUndoUpdate();
    EditRedoUpdate();
}

QString TMainForm::Shown(const std::string& text) const
{
    return codec_.Decode(text);
}

std::string TMainForm::Stored(const QString& text) const
{
    return codec_.Encode(text);
}
