#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// The command-line check, "QuarnEd --check FILE...". For each file, what
// the reader ignores or reads otherwise than it looks, then what a save of
// the document read from it would change, one finding a line on out as
// "FILE:LINE: warning: message", in line order. A file that cannot be read
// is reported on errors as "FILE: error: cannot read: reason" (and one
// whose document does not fit in memory as "FILE: error: cannot load: out
// of memory", after its own findings). Answers 0 when nothing was found, 1
// when something was, 2 when a file could not be read or loaded.
int CheckDefinitionFiles(const std::vector<std::string>& files, std::ostream& out,
                         std::ostream& errors);
