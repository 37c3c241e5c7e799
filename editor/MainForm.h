#pragma once

#include "document/DefDocument.h"
#include "system/Dialogs.h"
#include "system/TextCodec.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <vector>

class DocumentUndo;
class DraftCommands;
class EditCommands;
class HazardMarks;
class HelpCommands;
class MenuFocus;
class OptionList;
class PreviewCommands;
struct PreviewSource;
class Platform;
class ProgramHider;
class QAction;
class QDialog;
class RecentFiles;
class TSearchForm;
class TextBoxTarget;

namespace Ui {
class TMainForm;
}

// The editor's one window. It owns the document, the menus, the tool bar
// and the file commands, and wires the classes that carry out the rest:
//   TProgramSettingsPage   the "Program settings" page, its buttons, Hide's button
//   TOptionPane            the fields of the option shown on the "Options" page
//   OptionList             the option list, the option shown, the Edit commands on options
//   ValueList              the listed values, the Edit commands on values
//   TextBoxTarget          the Edit commands on the text box being worked in
//   EditCommands           the Edit menu: its target, enabling and undo steps
//   DocumentUndo           Undo and Redo
//   HazardMarks            the entries' marks: what the file would lose, the default
//   RecentFiles            the recent-files list and its menu items
//   HelpCommands           the Help menu
//   DraftCommands          File New from program, Edit Draft options from help
//   FileDropRouter         files dropped anywhere on the window
//   PreviewCommands        the View menu: the launcher's panel beside the pages
// Its own code: MainForm.cpp (construction, wiring, the window's events)
// and MainFormFileCommands.cpp (New, Open, Save, Save As, Go, Hide, drops,
// the save prompt, the title).
class TMainForm : public QMainWindow
{
    Q_OBJECT

public:
    // What became of the document's unsaved changes when a command asked:
    // the command goes on unless Cancelled (by the user, or by a save that
    // did not happen). Saved also when there were none.
    enum class UnsavedChanges { Cancelled, Discarded, Saved };

    // arguments are the program's command-line arguments without the program itself.
    TMainForm(Platform& platform, Dialogs& dialogs, std::vector<FilePath> arguments,
              QWidget* parent = nullptr);
    ~TMainForm() override;

    // Start-up, once the About box exists: the recent-files menu, then the
    // file named on the command line.
    void ProcessCommandLine();
    void AttachAboutBox(QDialog& aboutBox);
    void AttachSearchForm(TSearchForm& searchForm);

    CDefDocument& Document() { return document_; }
    RecentFiles& Recent() { return *recent_; }
    // The option shown on the "Options" page; -1 for none.
    int CurrentOption() const;
    const COption& CopiedOption() const;
    FilePath HelpPath() const;

    // Asks whether to save a modified document, and saves it when told to.
    UnsavedChanges QuerySaveChanges();
    void OpenDefinition(const FilePath& path);
    // New without the save prompt: an untitled document that holds content,
    // none of it saved.
    void ShowNewDocument(const CDef& content);
    // Brings the document up to date from the fields: before every
    // modified test and every save.
    void CollectDocument();
    // The document as the window shows it, the fields' edits included,
    // without taking them into the document.
    PreviewSource ShownDocument() const;
    PreviewCommands& Preview() const { return *preview_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // MainForm.cpp
    void WireActions();
    void Bind(QAction* action, std::function<void()> execute);
    void PrepareEditBoxes();
    // The enabling rules that depend on more than signals tell: before a
    // key is judged and before a command runs.
    void RefreshActions();

    // MainFormFileCommands.cpp
    void FileNewExecute();
    void FileOpenExecute();
    void ShowLoadedDocument();
    // Save, or Save As for an unnamed document; false when nothing was saved.
    bool SaveDocument();
    bool SaveDocumentAs();
    // Before a file is written over: asks whether to replace another file
    // that stands where the definition file for path would go, or changes
    // another program made to the document's own file. False to stop.
    bool ConfirmReplacing(const FilePath& path);
    bool SaveDefinition(const FilePath& path);
    void SetCurrentFile(const FilePath& path);
    void UpdateTitle();
    // The title's mark of unsaved changes follows the modified test, which
    // is taken again after each change of the document or the fields.
    void UpdateModifiedMark();
    // A field was edited or another option chosen.
    void ShownChanged();
    bool ShowsChanges() const;
    void GoExecute();
    void LaunchDefinition(const FilePath& definition);
    // Hiding a program behind a copy of the launcher, and undoing it.
    void HideClick();
    bool IsProgramHidden();
    void UpdateHideState();
    void DropFile(const FilePath& path);

    std::unique_ptr<Ui::TMainForm> ui;
    Platform& platform_;
    Dialogs& dialogs_;
    const std::vector<FilePath> arguments_;

    CDefDocument document_;
    TextCodec codec_;
    bool centred_ = false;
    bool modifiedMarkDue_ = false;
    FileDialogSettings openDialog_;
    FileDialogSettings saveDialog_;

    MenuFocus* menuFocus_ = nullptr;
    std::unique_ptr<HazardMarks> marks_;
    OptionList* options_ = nullptr;
    DocumentUndo* undo_ = nullptr;
    TextBoxTarget* textBoxes_ = nullptr;
    EditCommands* editCommands_ = nullptr;
    RecentFiles* recent_ = nullptr;
    HelpCommands* help_ = nullptr;
    PreviewCommands* preview_ = nullptr;
    DraftCommands* drafts_ = nullptr;
    std::unique_ptr<ProgramHider> hider_;
};
