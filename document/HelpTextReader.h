#pragma once

#include "document/Def.h"
#include "document/Option.h"

#include <string>
#include <string_view>
#include <vector>

// A definition option drafted from a program's help text.
struct DraftedOption
{
    COption option;
    std::string sourceLine;             // the help line it came from; empty for an operand
    std::vector<std::string> spellings; // "-o", "--output"; none for an operand
};

// What a help text says about a program's command line.
struct HelpDraft
{
    std::string description;        // the help's one-line description of the program
    std::vector<std::string> usage; // the usage forms, each as one line, without "Usage:"
    std::vector<DraftedOption> options;
};

// Drafts the options a program's --help output lists, in the help's order,
// then the operands of its first usage form; each name of an option once.
// Reads GNU, argparse, click, clap, cobra and Go flag layouts, single-dash
// long options, terminal escapes and overstrikes. What it cannot read
// surely as an option it leaves out: a user removes a wrong option more
// slowly than he adds a missing one.
//
// Each option: a switch is "True" with its preferred name as Format (the
// long one where there is one); an option with a value is "String" with a
// Format written as the help shows it ("--output=%s", "-o %s", "-I%s");
// listed values make it "Select", or "Suggest" when the value may be left
// out or the list is not closed; a repeatable "String" is Multiple; the
// description is its Information; Value stays empty, so that the program's
// own default holds. An operand is "String" with an empty Format and its
// position among the operands as Arg; Mandatory when the usage does not
// bracket it, Multiple when it repeats.
//
// Names are the long name without dashes, else the short one, else the
// operand's; the file matches section names without regard to case, so a
// name equal to an earlier one in that sense ("C" after "c") gets the first
// words of its description in parentheses, or a number.
HelpDraft ReadHelpText(std::string_view text);

// A new definition for the program at programPath: its file name as Name,
// the path as Program, the description and usage lines as Information,
// and the drafted options, the first of them the default.
CDef DraftDefinition(const HelpDraft& draft, const std::string& programPath);
