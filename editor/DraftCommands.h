#pragma once

#include "system/Dialogs.h"

#include <QObject>
#include <string>

class DocumentUndo;
class OptionList;
class Platform;
class QAction;
class QTabWidget;
class TMainForm;
class TProgramSettingsPage;
class TextCodec;

// What the drafting commands work on, besides the window.
struct DraftParts
{
    QTabWidget& pages;
    QWidget& optionsPage;
    TProgramSettingsPage& settings;
    OptionList& options;
    DocumentUndo& undo;
    const TextCodec& codec;
};

// The two commands that draft from a program's own help: File, New from
// program, a whole new definition; and Edit, Draft options from help, the
// options the user picks in TDraftReviewDialog, added after the option shown
// as one undo step. The program runs on a thread of its own meanwhile.
class DraftCommands : public QObject
{
public:
    // draftOptions is Edit's action, which this enables: on the "Options"
    // page, while the Program field names a program.
    DraftCommands(TMainForm& window, Platform& platform, Dialogs& dialogs, DraftParts parts,
                  QAction& draftOptions);

    void NewFromProgram();
    void DraftOptions();

private:
    void UpdateDraftOptions();
    // The program the user picked, in the document's bytes: a file, or a
    // name the search path knows; empty after a cancel or a name not found,
    // which it reports.
    std::string ChooseProgram();
    void Fail(const QString& text);

    TMainForm& window_;
    Platform& platform_;
    Dialogs& dialogs_;
    DraftParts parts_;
    QAction& draftOptions_;
    FileDialogSettings programDialog_;
};
