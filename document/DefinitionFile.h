#pragma once

#include "Def.h"
#include "document/NumberText.h"

#include <cstddef>
#include <new>
#include <string>
#include <string_view>

// The .Quarn format: an INI-like text with the global section "[Quarn]"
// followed by one section per option.

// Capacity of one logical line of the reader, and of an Information block
// with its key.
inline constexpr std::size_t LineCapacity = 40958;

// The exact bytes the writer produces for def.
std::string WriteDefinition(const CDef& def);

// The section name the writer gives the option at index when it has no
// name: "Option " and its position from 1.
std::string UnnamedSectionName(std::size_t index);

// Reads a whole definition from the file's bytes. program is the path the
// user asked to open, made absolute; it becomes the program when the file
// names none and differs from the definition path definitionPath. Throws
// DocumentTooLarge, before taking the memory, when the definition would
// take more than DocumentMemoryLimit(bytes.size()).
CDef ReadDefinition(std::string_view bytes, const std::string& program,
                    const std::string& definitionPath);

// The memory the options and texts of a definition read from a file of
// fileSize bytes may take: three times the file, and 16 MiB more. Each
// option takes some 200 bytes however short its section is, and a section
// that repeats a name copies the texts of the first: a small file can
// describe a document of gigabytes. The editor holds a document twice (as
// loaded and as edited), and the check holds it with its hazards, so
// either stays within about ten times the file.
std::size_t DocumentMemoryLimit(std::size_t fileSize);

// A definition refused for the memory it would take. A kind of running out
// of memory, so that whatever handles std::bad_alloc handles it too; what()
// gives the reason.
class DocumentTooLarge : public std::bad_alloc
{
public:
    explicit DocumentTooLarge(std::size_t limit);
    const char* what() const noexcept override;

private:
    char reason_[128];
};
