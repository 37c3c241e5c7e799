#pragma once

#include "document/Option.h"
#include "editor/EditTarget.h"

class CDefDocument;
class HazardMarks;
class QListWidget;
class TOptionPane;
class TextCodec;

// The option list of the "Options" page and the option it shows in the
// pane: which option is current, the rule that stores the pane's fields
// into the document before another option is shown, the entries' names,
// and the Edit commands on options with the editor's own one-option
// clipboard.
class OptionList : public EditTarget
{
    Q_OBJECT

public:
    OptionList(QListWidget& list, TOptionPane& pane, CDefDocument& document, HazardMarks& marks,
               const TextCodec& codec);

    // The option shown; -1 for none.
    int Current() const { return current_; }
    const COption& Copied() const { return copied_; }

    // The entries from the document's names; nothing selected.
    void ShowNames();
    void Select(int row);
    // No entries, no option shown; the pane keeps its fields.
    void Clear();
    // The selected option into the pane; the default marks of the document
    // are kept when keepMarks, else showing the mark may move First.
    void ShowSelected(bool keepMarks = false);
    // The pane's fields into the current option's record.
    void StoreFields();
    // The record the pane's fields make for the current option.
    COption ShownFields() const;
    void UpdateMarks();

    bool Owns(const QWidget* control) const override;
    bool CanRun(EditCommand command) const override;
    void Run(EditCommand command) override;
    QString StepName(EditCommand command) const override;

Q_SIGNALS:
    // The user selects another option: the fields still show the former.
    void AboutToChoose();
    // The option the user selected is shown.
    void Chose();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Click();
    void InsertOption(int row, const COption& option);
    void RemoveSelected();
    void NameEdited(const QString& name);
    void DefaultToggled(bool checked);

    QListWidget& list_;
    TOptionPane& pane_;
    CDefDocument& document_;
    HazardMarks& marks_;
    const TextCodec& codec_;
    int current_ = -1;
    COption copied_;
    bool keepMarks_ = false;
    // Set when the selection changed since the last mouse press, so that
    // the click that follows does not run the handler twice.
    bool rowChangedByPress_ = false;
};
