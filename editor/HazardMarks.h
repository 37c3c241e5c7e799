#pragma once

#include "document/Def.h"

#include <QString>

#include <string>
#include <vector>

class CDefDocument;
class QLabel;
class QListWidget;
class QStatusBar;
class TOptionPane;
class TProgramSettingsPage;
class TextCodec;

// How many option entries carry a kind of mark, and whether the program
// settings do.
struct HazardCount
{
    int options;
    bool settings;
};

// Marks on the option list's entries. What the file would lose: options
// the format cannot carry as they are get a warning mark with the reasons,
// and the status bar tells how many there are; the file is saved as it
// stands all the same. What would not run as written is marked the same
// way: mistakes in the options, and a program, shell or folder this
// machine does not have. The option that carries the default mark is shown in
// bold. An entry's accessible description tells both marks.
//
// The document's check runs only when the document differs from the one it
// last saw, and only the entries whose mark or font changes are touched,
// so that selecting an option in a long list stays quick.
class HazardMarks
{
public:
    HazardMarks(QListWidget& list, QStatusBar& bar, const CDefDocument& document,
                const TProgramSettingsPage& settings, const TOptionPane& pane,
                const TextCodec& codec);

    // The marks of the document and of the fields, which show option
    // currentOption (-1 for none).
    void Update(int currentOption);

private:
    void CheckDocument();

    QListWidget& list_;
    QLabel* summary_;
    const CDefDocument& document_;
    const TProgramSettingsPage& settings_;
    const TOptionPane& pane_;
    const TextCodec& codec_;
    // The document as the check last saw it, and what it found: the
    // messages of each option and of the program settings, what a save
    // would lose apart from what would not run.
    CDef checked_;
    std::string checkedPath_;
    std::vector<QString> optionHazards_;
    std::vector<QString> optionMistakes_;
    QString settingsHazards_;
    QString settingsMistakes_;
};
