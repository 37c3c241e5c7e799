#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// The command-line check, "QuarnEd --check FILE...". For each file, what
// the reader ignores or reads otherwise than it looks, then what a save of
// the document read from it would change, one finding a line on out as
// "FILE:LINE: warning: message", in line order; FILE is shell-escaped as
// GNU ls shows names (ShellEscaped in the source has the rules), so that
// no name can forge a line. On errors: a file that cannot be read as
// "FILE: error: cannot read: reason"; one whose own check runs out of
// memory as "FILE: error: cannot check: out of memory"; and one whose
// document cannot be loaded, after its own findings, as "FILE: error:
// cannot load: reason" (out of memory, or the reader's refusal). Answers 0
// when nothing was found, 1 when something was, 2 when a file could not be
// read, checked or loaded, or when out failed, which ends the check with
// "QuarnEd: error: cannot write the findings: reason" on errors.
int CheckDefinitionFiles(const std::vector<std::string>& files, std::ostream& out,
                         std::ostream& errors);
