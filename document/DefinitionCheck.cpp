#include "document/DefinitionCheck.h"

#include "document/DefinitionFile.h"
#include "document/DefinitionHazards.h"
#include "document/FileBytes.h"
#include "document/RunTimeChecks.h"
#include "document/SavePaths.h"
#include "document/StoredFileCheck.h"
#include "document/Utf8.h"

#include <algorithm>
#include <cerrno>
#include <new>
#include <ostream>

namespace {

// What the document read from the file would do otherwise than it looks:
// what a save would change, where the file's own findings have not already
// said it, and what would not run as written. At the line of the option's
// section header, or line 1 for the program settings.
std::vector<StoredFinding> DocumentFindings(const std::string& file, std::string_view bytes,
                                            const StoredFileCheck& check)
{
    const CDef def = ReadDefinition(bytes, file, file);
    std::vector<StoredFinding> findings;
    for (DefinitionHazard& hazard : FindHazards(def)) {
        if (hazard.option < 0) {
            findings.push_back({1, std::move(hazard.message)});
            continue;
        }
        const auto option = static_cast<std::size_t>(hazard.option);
        const bool keysSaid =
            check.OptionKeysSaid(option) && (hazard.kind == HazardKind::DuplicateName ||
                                             hazard.kind == HazardKind::SettingsSectionName);
        if (keysSaid || (check.DefaultSaid() && hazard.kind == HazardKind::DefaultMark))
            continue;
        findings.push_back({check.OptionLines()[option], std::move(hazard.message)});
    }
    for (RunTimeFinding& mistake : FindRunTimeMistakes(def)) {
        const auto option = static_cast<std::size_t>(mistake.option);
        findings.push_back({check.OptionLines()[option], std::move(mistake.message)});
    }
    std::stable_sort(
        findings.begin(), findings.end(),
        [](const StoredFinding& a, const StoredFinding& b) { return a.line < b.line; });
    return findings;
}

// The length of the printable character at text[i], or 0 when its bytes
// are shown escaped: control characters, U+2028 and U+2029, which end
// lines too, and bytes that are not UTF-8.
std::size_t PrintableLength(std::string_view text, std::size_t i)
{
    const auto* data = reinterpret_cast<const unsigned char*>(text.data()) + i;
    if (data[0] < 0x80)
        return data[0] >= 0x20 && data[0] != 0x7F ? 1 : 0;
    const int length = Utf8SequenceLength(data, text.size() - i);
    if (length <= 0)
        return 0;
    const bool c1 = data[0] == 0xC2 && data[1] < 0xA0;
    const bool separator = data[0] == 0xE2 && data[1] == 0x80 && (data[2] | 1) == 0xA9;
    return c1 || separator ? 0 : static_cast<std::size_t>(length);
}

// A character the shell would take for syntax.
bool ShellSpecial(char c, std::size_t i, std::size_t size)
{
    switch (c) {
    case '#':
    case '~':
        return i == 0;
    case '{':
    case '}':
        return size == 1;
    default:
        return std::string_view(" !\"$&'()*;<=>?[\\^`|").find(c) != std::string_view::npos;
    }
}

// A character that reads the same between double quotes.
bool SameInDoubleQuotes(char c, std::size_t i, std::size_t size)
{
    const bool alphanumeric =
        (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    return alphanumeric || std::string_view("%+,-./:@]_ '").find(c) != std::string_view::npos ||
           ((c == '#' || c == '~') && i == 0) || ((c == '{' || c == '}') && size == 1);
}

void AppendEscaped(std::string& shown, unsigned char byte)
{
    constexpr std::string_view named = "abtnvfr"; // for bytes 7 to 13
    shown += '\\';
    if (byte >= 7 && byte <= 13) {
        shown += named[byte - 7];
        return;
    }
    shown += static_cast<char>('0' + (byte >> 6));
    shown += static_cast<char>('0' + ((byte >> 3) & 7));
    shown += static_cast<char>('0' + (byte & 7));
}

// A file name as GNU ls --quoting-style=shell-escape shows it in a UTF-8
// locale, so that a name cannot forge a line of the report and can be
// pasted into a shell: unchanged when it holds nothing the shell or the
// terminal would take for more than text; in double quotes when only its
// single quotes and blanks need quoting; otherwise in single quotes, with
// each quote as '\'' and each control character or byte that is not UTF-8
// escaped in a $'...' part.
std::string ShellEscaped(std::string_view name)
{
    bool plain = !name.empty();
    bool doubleQuotes = name.find('\'') != std::string_view::npos;
    for (std::size_t i = 0; i < name.size();) {
        const std::size_t length = PrintableLength(name, i);
        plain = plain && length > 0 && !ShellSpecial(name[i], i, name.size());
        doubleQuotes = doubleQuotes && length > 0 &&
                       (length > 1 || SameInDoubleQuotes(name[i], i, name.size()));
        i += std::max<std::size_t>(length, 1);
    }
    if (plain)
        return std::string(name);
    if (doubleQuotes)
        return '"' + std::string(name) + '"';
    std::string shown = "'";
    bool escaping = false; // within a $'...' part
    for (std::size_t i = 0; i < name.size();) {
        const std::size_t length = PrintableLength(name, i);
        if (length == 0) {
            if (!escaping)
                shown += "'$'";
            escaping = true;
            AppendEscaped(shown, static_cast<unsigned char>(name[i++]));
            continue;
        }
        if (name[i] == '\'') {
            shown += "'\\''";
        } else {
            if (escaping)
                shown += "''";
            shown.append(name.substr(i, length));
        }
        escaping = false;
        i += length;
    }
    return shown + '\'';
}

// Whether out took everything written to it; reported on errors if not.
bool Written(std::ostream& out, std::ostream& errors)
{
    if (out.flush())
        return true;
    const int error = errno;
    errors << "QuarnEd: error: cannot write the findings: "
           << (error != 0 ? ErrorReason(error) : std::string("write error")) << '\n';
    return false;
}

// Checks one file: its findings on out, and false when it could not be
// read or its document not loaded, which is said on errors.
bool CheckFile(const std::string& file, const std::string& shown, std::ostream& out,
               std::ostream& errors, bool& found)
{
    std::string bytes;
    std::string reason;
    if (ReadFileBytes(file, bytes, reason) != ReadOutcome::Read) {
        errors << shown << ": error: cannot read: " << reason << '\n';
        return false;
    }
    StoredFileCheck check(bytes);
    std::vector<StoredFinding> documentFindings;
    bool loaded = true;
    try {
        documentFindings = DocumentFindings(file, bytes, check);
    } catch (const std::bad_alloc& error) {
        // The document does not fit in memory, or the reader refused it
        // before it could not; the file's own findings still may.
        const bool refused = dynamic_cast<const DocumentTooLarge*>(&error) != nullptr;
        errors << shown << ": error: cannot load: " << (refused ? error.what() : "out of memory")
               << '\n';
        loaded = false;
    }
    check.Report(documentFindings, [&](const StoredFinding& finding) {
        out << shown << ':' << finding.line << ": warning: " << finding.message << '\n';
        found = true;
    });
    return loaded;
}

} // namespace

int CheckDefinitionFiles(const std::vector<std::string>& files, std::ostream& out,
                         std::ostream& errors)
{
    bool failed = false;
    bool found = false;
    for (const std::string& file : files) {
        const std::string shown = ShellEscaped(file);
        try {
            failed = !CheckFile(file, shown, out, errors, found) || failed;
        } catch (const std::bad_alloc&) {
            errors << shown << ": error: cannot check: out of memory\n";
            failed = true;
        }
        if (!Written(out, errors))
            return 2;
    }
    return failed ? 2 : found ? 1 : 0;
}
