#pragma once

#include "system/FilePath.h"

#include <QString>

class QDialog;
class QWidget;

enum class PromptAnswer
{
    Yes,
    No,
    Cancel
};

// A file dialog of the program. It lives for the whole run so that each
// showing starts with the name last chosen in it.
struct FileDialogSettings
{
    enum class Kind
    {
        Open,
        Save
    };

    Kind kind = Kind::Open;
    QString title;
    QString filter;        // Qt form: "Definition files (*.Quarn);;All Files (*.*)"
    QString defaultSuffix; // added when the user types a name without extension
    bool fileMustExist = false;
    FilePath fileName;             // the name shown first; the chosen full path after an accept
    bool confirmOverwrite = false; // a Save dialog asks before an existing file is replaced
};

// Every modal window the program opens goes through here, so that tests can
// answer them without a modal loop.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // Yes, No and Cancel, Yes the default, no icon. Escape and the close box give Cancel.
    virtual PromptAnswer AskYesNoCancel(QWidget* owner, const QString& caption,
                                        const QString& text) = 0;
    // Yes and No, No the default, a question icon; Escape and the close box
    // give No. True for Yes.
    virtual bool AskYesNo(QWidget* owner, const QString& caption, const QString& text) = 0;
    // A warning icon, a button acceptText, the default, and Cancel; Escape
    // and the close box give Cancel. True for acceptText.
    virtual bool Confirm(QWidget* owner, const QString& caption, const QString& text,
                         const QString& acceptText) = 0;
    // An error icon and an OK button.
    virtual void ShowError(QWidget* owner, const QString& caption, const QString& text) = 0;
    // True when the user accepted; dialog.fileName then holds the chosen full path.
    virtual bool ChooseFile(QWidget* owner, FileDialogSettings& dialog) = 0;
    // Real folders only. folder holds the preselection (empty for none) and,
    // after an accept, the chosen folder.
    virtual bool ChooseFolder(QWidget* owner, const QString& title, FilePath& folder) = 0;
    // Shows a window of the program's own modally (the About box).
    virtual void ShowModal(QDialog& dialog) = 0;
};

// The real dialogs.
class QtDialogs : public Dialogs
{
public:
    PromptAnswer AskYesNoCancel(QWidget* owner, const QString& caption,
                                const QString& text) override;
    bool AskYesNo(QWidget* owner, const QString& caption, const QString& text) override;
    bool Confirm(QWidget* owner, const QString& caption, const QString& text,
                 const QString& acceptText) override;
    void ShowError(QWidget* owner, const QString& caption, const QString& text) override;
    bool ChooseFile(QWidget* owner, FileDialogSettings& dialog) override;
    bool ChooseFolder(QWidget* owner, const QString& title, FilePath& folder) override;
    void ShowModal(QDialog& dialog) override;
};
