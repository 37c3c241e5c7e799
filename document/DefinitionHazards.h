#pragma once

#include "document/Def.h"

#include <cstddef>
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
    EndsOptionList,      // its header ends the option list: it and all after it are lost
    AfterListEnd,        // lost: an earlier option's header ends the option list
    EarlierLines,        // an earlier text's lines read as headers or keys of their own
    Unstorable,          // characters the file's encoding cannot store (the editor's check)
};

struct DefinitionHazard
{
    int option; // zero-based position; -1 for the program settings
    HazardKind kind;
    std::string message;
};

// Every hazard of def, in option order, the program settings first. An
// option has a hazard exactly when it does not read back as it is after a
// save, its default mark included (with no option marked, First 0 marks
// the first), and the program settings have one exactly when their texts or
// First (below 0 reads as 0) do not.
// Linear in the size of def.
std::vector<DefinitionHazard> FindHazards(const CDef& def);

// The texts of a definition, as hazard messages name them: the program
// settings' first, in the order of SettingsTexts.
enum class TextField
{
    Caption, // the program settings' Name
    Program,
    Directory,
    Shell,
    ProgramInformation,
    Name, // the option's
    Type,
    Value,
    ListedValue,
    Format,
    Information,
};

// A text holds characters the encoding of the file cannot store. The
// document holds bytes: the editor, which encodes the characters, finds
// them. index counts listed values from 0.
DefinitionHazard UnstorableText(int option, TextField field, std::size_t index = 0);
