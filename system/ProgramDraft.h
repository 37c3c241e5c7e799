#pragma once

#include "document/HelpTextReader.h"
#include "system/HelpTextRunner.h"

#include <QString>

#include <optional>
#include <string>

// A definition drafted from what a program says of its own options.
struct ProgramDraft
{
    bool ok = false;
    QString problem; // when not ok: why the program gave no help text
    HelpDraft help;  // what its help text says
    CDef def;        // the whole new definition
    HelpSource source = HelpSource::HelpOption;

    // The options the help lists, its usage's operands aside.
    std::size_t OptionCount() const;
};

// Asks program for its help (see HelpFor; a given source asks only that
// way) and drafts the definition. program is kept as given when it is a
// name to look up on the search path, made absolute otherwise.
ProgramDraft DraftFromProgram(const std::string& program,
                              std::optional<HelpSource> source = std::nullopt);
