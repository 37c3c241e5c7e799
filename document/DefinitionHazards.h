#pragma once

#include "document/Def.h"

#include <iosfwd>
#include <string>
#include <vector>

// What the .Quarn format cannot carry. Some things a user can enter come
// back from the file other than they were saved: the format stays as it is,
// so the editor tells the user instead.
enum class HazardKind
{
    DuplicateName,       // reads the settings of an earlier option of the same name
    SettingsSectionName, // named like the program settings' section, reads those
    BracketInName,       // the name comes back cut before its ']'
    Unnamed,             // comes back named "Option " and its position
    EmptyListedValue,    // ends the list: it and the values after it are lost
    LineTooLong,         // longer than a line of the file can hold: cut or split
    LineBreak,           // a one-line text with a line break: split
    NegativeArgument,    // not written; comes back as 0
    DefaultMark,         // another option than the marked one comes back marked
};

struct DefinitionHazard
{
    int option; // zero-based position; -1 for the program settings
    HazardKind kind;
    std::string message;
};

// Every hazard of def, in option order, the program settings first.
std::vector<DefinitionHazard> FindHazards(const CDef& def);

// The number of options with at least one hazard.
int OptionsWithHazards(const std::vector<DefinitionHazard>& hazards);

// The command-line check: for each file, each hazard as
// "FILE: option N: message" (N from 1; "settings" for the program
// settings). Answers 0 when no file has a hazard, 1 when some have, and 2
// when a file could not be read (reported on errors).
int CheckDefinitionFiles(const std::vector<std::string>& files, std::ostream& out,
                         std::ostream& errors);
