#pragma once

#include "document/DefDocument.h"
#include "document/DefinitionHazards.h"
#include "system/TextCodec.h"
#include "editor/UndoHistory.h"
#include "system/Dialogs.h"

#include <QMainWindow>
#include <QStringList>

#include <array>
#include <memory>
#include <optional>
#include <vector>

class ExecutableSearch;
class MenuFocus;
class ShortcutUse;
class THelpWindow;
class Platform;
class ProgramHider;
class QAction;
class QDialog;
class QKeyEvent;
class QLabel;
class QListWidget;
class QUrl;
class TSearchForm;

namespace Ui {
class TMainForm;
}

// The editor's one window: the "Program settings" page, the "Options" page,
// the menus and the tool bar. Its code is split by concern:
//   MainForm.cpp                 construction, start-up, closing, idle updates
//   MainFormDrop.cpp             files dropped anywhere on the window, text boxes included
//   MainFormFileCommands.cpp     New, Open, Save, Save As, the save prompt, the title
//   MainFormRecentFiles.cpp      the recent-files list and its menu items
//   MainFormLaunchAndHelp.cpp    Go, the help commands, the About box
//   MainFormOptionPane.cpp       the record shown on the "Options" page and its rules
//   MainFormListCommands.cpp     the Edit commands on options, values and text
//   MainFormUndo.cpp             Undo and Redo: the steps recorded, the states shown again
//   MainFormSystemButtons.cpp    the Executable, Shell and Directory buttons
//   MainFormHazards.cpp          entry marks: what the file would lose, the default
//   MainFormHide.cpp             hiding a program behind the launcher
class TMainForm : public QMainWindow
{
    Q_OBJECT

public:
    // arguments are the program's command-line arguments without the program itself.
    TMainForm(Platform& platform, Dialogs& dialogs, QStringList arguments,
              QWidget* parent = nullptr);
    ~TMainForm() override;

    // Start-up, once the About box exists: the recent-files menu, then the
    // file named on the command line.
    void ProcessCommandLine();
    void AttachAboutBox(QDialog& aboutBox);
    void AttachSearchForm(TSearchForm& searchForm);

    CDefDocument& Document() { return document_; }
    const std::array<QString, 4>& RecentFiles() const { return recentFiles_; }
    int CurrentOption() const { return currentOption_; }
    const COption& CopiedOption() const { return copiedOption_; }
    QString HelpPath() const { return helpPath_; }

    // The enabling rules of the actions, run whenever the program is idle.
    void UpdateActions();

    // Operations shared by several commands.
    int QuerySaveChanges();
    void OpenDefinition(const QString& path);
    bool SaveDefinition(const QString& path);
    void SetCurrentFile(const QString& path, bool updateTitle);
    void AddRecentFile(const QString& path);
    void SaveRecentFiles();
    void CollectDocument();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    enum class StoreTarget { CurrentRecord, CopiedOption };
    enum class FocusTarget { EditBox, OptionList, ValueList, Other };

    // MainForm.cpp
    void FormCreate();
    void WireActions();
    void Bind(QAction* action, void (TMainForm::*execute)());
    void PrepareEditBoxes();
    bool FormCloseQuery();
    void FormClose();

    // MainFormDrop.cpp
    void RouteFileDrops();
    void WMDropFiles(const QString& firstPath);

    // MainFormFileCommands.cpp
    void FileNewExecute();
    void FileOpenExecute();
    void FileSaveExecute();
    void FileSaveAsExecute();
    void FileExitExecute();
    void ClearOptionFields();
    void ShowLoadedDocument();
    void ShowSettings();
    // Save, or Save As for an unnamed document; false when nothing was saved.
    bool SaveDocument();
    bool SaveDocumentAs();
    // Before a file is written over: asks whether to replace another file
    // that stands where the definition file for path would go, or changes
    // another program made to the document's own file. False to stop.
    bool ConfirmReplacing(const QString& path);
    void UpdateTitle();

    // MainFormRecentFiles.cpp
    void ReadRecentFiles();
    void OldIniClick();
    QList<QAction*> RecentFileItems();

    // MainFormLaunchAndHelp.cpp
    void GoUpdate();
    void GoExecute();
    void LaunchDefinition(const QString& definition);
    void ProgramChange();
    void HelpContentsExecute();
    void HelpSearchExecute();
    void HelpAboutExecute();
    // The help window, created when help is first asked for.
    THelpWindow& HelpWindow();
    // The topic of the control being worked in, else of the page shown.
    QUrl ContextHelpTopic() const;

    // MainFormOptionPane.cpp
    void ConnectOptionPane();
    void StoreOptionFields(StoreTarget target);
    // The record the fields of the shown option make.
    COption OptionFields() const;
    // The "Program settings" fields into def.
    void CollectSettings(CDef& def) const;
    void ShowSelectedOption();
    // The option list's entries from the document's names.
    void ShowOptionNames();
    int TypeIndexOf(const QString& typeName) const;
    void OptionListClick();
    void TypeChange();
    void ValuesClick();
    void EditValuesChange();
    void ArgChange();
    void NameOptionChange();
    void DefaultClick(bool checked);
    void SelectOption(int row);
    void SelectValue(int row);
    QList<QWidget*> OptionPaneControls() const;

    // MainFormListCommands.cpp
    FocusTarget FocusedTarget() const;
    // The option list or the value list when it has the focus.
    QListWidget* FocusedList() const;
    void EditNewUpdate();
    void EditDeleteUpdate();
    void EditPasteUpdate();
    void EditUpUpdate();
    void EditDownUpdate();
    void EditNewExecute();
    void EditDeleteExecute();
    void EditCutExecute();
    void EditCopyExecute();
    void EditPasteExecute();
    void EditUpExecute();
    void EditDownExecute();
    void MoveSelected(int offset);
    void RemoveSelectedOption();
    void RemoveSelectedValue();

    // MainFormUndo.cpp
    // Runs a command; on the option list or the value list it is a step.
    void RunCommand(QAction* action, void (TMainForm::*execute)());
    void EditUndoUpdate();
    void EditRedoUpdate();
    void EditUndoExecute();
    void EditRedoExecute();
    // A key of Undo or Redo that a text box takes for its own typing.
    bool TypingUndoKey(QObject* watched, const QKeyEvent& key);
    UndoView ShownView() const;
    // The document as the window shows it, the fields not yet stored included.
    CDef ShownDocument() const;
    // The shown option's record in the history, when there is one.
    const COption* RecordedShownOption() const;
    // The fields where they differ from the history's current state.
    std::optional<CDef> EditedSettings() const;
    std::optional<COption> EditedOption() const;
    // The edits the history has not seen become steps of their own: the
    // program settings', then the shown option's.
    void RecordPendingEdits();
    // The name of the step RecordPendingEdits would record last; empty when none.
    QString PendingStep() const;
    void RecordStep(const QString& name, const UndoView& before);
    // The history takes what showing an option did as its own.
    void AdoptShownOption();
    void TypeActivated();
    void DefaultClicked(bool checked);
    // Shows the history's current state as the view says.
    void ShowState(const UndoView& view);
    void StartHistory();
    // The program was moved on disk to path: the field and every state follow.
    void ShowMovedProgram(const QString& path);

    // MainFormSystemButtons.cpp
    void ProgramButtonClick();
    void SelectProgramFile(const QString& initialName);
    void ShellButtonClick();
    void DirectoryButtonClick();

    // MainFormHazards.cpp
    void UpdateHazardMarks();
    void CheckDocumentHazards();
    std::vector<DefinitionHazard> UnstorableTexts() const;

    // MainFormHide.cpp
    void HideClick();
    bool IsProgramHidden();
    void UpdateHideState();

    // Texts between the document (bytes) and the widgets.
    QString Shown(const std::string& text) const;
    std::string Stored(const QString& text) const;

    std::unique_ptr<Ui::TMainForm> ui;
    Platform& platform_;
    Dialogs& dialogs_;
    const QStringList arguments_;

    CDefDocument document_;
    TextCodec codec_;
    std::array<QString, 4> recentFiles_;
    QString helpPath_;
    int currentOption_ = -1;
    const COption emptyOption_{};
    COption copiedOption_;
    UndoHistory history_;
    // Set when the option list's selection changed since the last mouse
    // press, so that the click that follows does not run the handler twice.
    bool optionRowChangedByPress_ = false;
    bool centred_ = false;

    FileDialogSettings openDialog_;
    FileDialogSettings saveDialog_;
    FileDialogSettings openExeDialog_;

    MenuFocus* menuFocus_ = nullptr;
    QLabel* hazardSummary_ = nullptr;
    // The document as the hazard check last saw it, and what it found: the
    // messages of each option and of the program settings.
    CDef hazardsChecked_;
    std::vector<QString> optionHazards_;
    QString settingsHazards_;
    QDialog* aboutBox_ = nullptr;
    ShortcutUse* helpKey_ = nullptr;
    THelpWindow* helpWindow_ = nullptr;
    std::unique_ptr<ExecutableSearch> search_;
    std::unique_ptr<ProgramHider> hider_;
};
