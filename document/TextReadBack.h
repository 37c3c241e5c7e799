#pragma once

#include "document/DefinitionKeys.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// How the reader takes back the lines the writer writes for one text,
// found by running the reader's own line scanner over them. A text is
// contained when its lines read as the one line they are meant to be (its
// key line, or its section's header) followed only by lines the reader
// ignores: then the file's sections and keys are the ones the writer meant,
// whatever the text itself reads back as. Texts that fit a line, without a
// line feed, are answered without building their lines.

struct TextReadBack
{
    bool contained = true;
    std::optional<std::string> changed; // the text as read, when it differs
};

// The text of key: written as "key=text", or for Information as its
// counted block.
TextReadBack ReadBackText(Key key, std::string_view text);

// A listed value, written as "Value" and its number n, "=", the text.
TextReadBack ReadBackListedValue(std::size_t n, std::string_view text);

// Whether an Information text, folded into its key's line, fits that line.
bool BlockFitsLine(std::string_view text);

struct HeaderReadBack
{
    bool contained = true;
    bool named = true;          // false: the header's line has no ']'
    std::size_t nameLength = 0; // the name read is this long a start of the section name
};

// The header "[name]" of a section.
HeaderReadBack ReadBackHeader(std::string_view sectionName);
