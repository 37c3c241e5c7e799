#pragma once

#include "document/Option.h"
#include "system/ProgramDraft.h"

#include <QDialog>
#include <functional>
#include <set>
#include <string>
#include <vector>

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QTableWidget;
class THelpWindow;
class TextCodec;

// The options drafted from a program's help, for the user to pick before
// they join the document: each with its Name, type, Format, values and the
// help line it came from, ticked unless the document has an option with the
// same Format already (an operand, which has none: the same argument number). The user may ask the
// program for its help another way (-h, -help, help, the manual page), which runs it again and
// fills the list afresh; those ways run only when picked, as -h means something else to some
// programs.
class TDraftReviewDialog : public QDialog
{
    Q_OBJECT

public:
    // Drafts again from the program, asked the given way.
    using Runner = std::function<ProgramDraft(HelpSource)>;

    // program is the Program field as the document holds it; existing are the document's
    // options, whose texts codec shows.
    TDraftReviewDialog(const std::string& program, const std::vector<COption>& existing,
                       const TextCodec& codec, Runner run, QWidget* parent = nullptr);

    // Fills the list from draft, or tells why there is nothing in it.
    void Show(const ProgramDraft& draft);
    // The ticked options in the list's order, their texts in the
    // document's encoding and their Names distinct from the document's.
    std::vector<COption> Ticked() const;

private:
    void SourceActivated(int index);
    void UpdateOk();
    // Help and F1: the manual's topic on this dialog.
    void ShowHelp();

    const TextCodec& codec_;
    Runner run_;
    // Whether the document has an option like this one already.
    bool Known(const COption& option) const;

    std::set<std::string> formats_;   // the document's Formats
    std::set<std::int32_t> operands_; // the argument numbers of its options without one
    std::vector<std::string> names_;  // the document's Names
    std::vector<COption> drafted_;    // one per row
    QComboBox* source_;
    QLabel* note_;
    QTableWidget* table_;
    QDialogButtonBox* buttons_;
    THelpWindow* help_ = nullptr;
};
