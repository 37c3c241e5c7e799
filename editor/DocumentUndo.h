#pragma once

#include "document/Def.h"
#include "editor/UndoHistory.h"
#include "system/FilePath.h"

#include <QObject>

#include <functional>
#include <optional>

class CDefDocument;
class OptionList;
class QAction;
class QKeyEvent;
class QTabWidget;
class TOptionPane;
class TProgramSettingsPage;
class TextCodec;

// The pages of the window that show the document, as Undo sees them.
struct UndoPages
{
    QTabWidget& tabs;
    TProgramSettingsPage& settings;
    QWidget& optionsPage;
    OptionList& options;
    TOptionPane& pane;
};

// Undo and Redo. The history holds the document as the window showed it
// between steps; a step is an Edit command on the option list or the value
// list, a type chosen, the default mark clicked, or the edits of the shown
// option's fields or of the "Program settings" fields. Such edits live in
// the fields until they are stored or collected, and become a step of
// their own then, or before any other step, so that every step undoes one
// thing. Undo and Redo put the state back into the document and show it
// again through the pages' own functions, so that the fields are the
// working copy of exactly what was restored. The two actions' captions
// name the step they would take, and follow every change.
class DocumentUndo : public QObject
{
    Q_OBJECT

public:
    DocumentUndo(CDefDocument& document, const TextCodec& codec, UndoPages pages, QAction& undo,
                 QAction& redo);

    // Forgets every step; the history begins at the document as shown.
    void Start();
    // The edits the history has not seen become steps of their own: the
    // program settings', then the shown option's.
    void RecordPendingEdits();
    // Runs command, which changes what the window shows, as a step.
    void RunStep(const QString& name, const std::function<void()>& command);
    void Undo();
    void Redo();
    // The program was moved on disk to path: the field and every state follow.
    void ShowMovedProgram(const FilePath& path);
    // The captions and availability of Undo and Redo.
    void UpdateActions();

Q_SIGNALS:
    // A state of the history is shown.
    void StateShown();

protected:
    // A key of Undo or Redo that a text box takes for its own typing.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The history takes what showing an option did as its own.
    void AdoptShownOption();
    void RecordStep(const QString& name, const UndoView& before);
    void ShowState(const UndoView& view);
    UndoView ShownView() const;
    // The document as the window shows it, the fields not yet stored included.
    CDef ShownDocument() const;
    // The shown option's record in the history, when there is one.
    const COption* RecordedShownOption() const;
    // The fields where they differ from the history's current state.
    std::optional<CProgramSettings> EditedSettings() const;
    std::optional<COption> EditedOption() const;
    // The name of the step RecordPendingEdits would record last; empty when none.
    QString PendingStep() const;
    bool TypingUndoKey(QObject* watched, const QKeyEvent& key) const;

    CDefDocument& document_;
    const TextCodec& codec_;
    UndoPages pages_;
    QAction& undo_;
    QAction& redo_;
    UndoHistory history_;
};
