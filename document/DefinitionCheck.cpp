#include "document/DefinitionCheck.h"

#include "document/DefinitionFile.h"
#include "document/DefinitionHazards.h"
#include "document/FileBytes.h"
#include "document/StoredFileCheck.h"

#include <algorithm>
#include <new>
#include <ostream>

namespace {

// What a save of the document read from the file would change, where the
// file's own findings have not already said it: at the line of the
// option's section header, or line 1 for the program settings.
std::vector<StoredFinding> SaveFindings(const std::string& file, std::string_view bytes,
                                        const StoredFileCheck& check)
{
    std::vector<StoredFinding> findings;
    for (DefinitionHazard& hazard : FindHazards(ReadDefinition(bytes, file, file))) {
        if (hazard.option < 0) {
            findings.push_back({1, std::move(hazard.message)});
            continue;
        }
        const auto option = static_cast<std::size_t>(hazard.option);
        const bool keysSaid = check.OptionKeysSaid(option) &&
                              (hazard.kind == HazardKind::DuplicateName ||
                               hazard.kind == HazardKind::SettingsSectionName);
        if (keysSaid || (check.DefaultSaid() && hazard.kind == HazardKind::DefaultMark))
            continue;
        findings.push_back({check.OptionLines()[option], std::move(hazard.message)});
    }
    std::stable_sort(findings.begin(), findings.end(),
                     [](const StoredFinding& a, const StoredFinding& b) { return a.line < b.line; });
    return findings;
}

} // namespace

int CheckDefinitionFiles(const std::vector<std::string>& files, std::ostream& out,
                         std::ostream& errors)
{
    bool unreadable = false;
    bool found = false;
    for (const std::string& file : files) {
        std::string bytes;
        std::string reason;
        if (ReadFileBytes(file, bytes, reason) != ReadOutcome::Read) {
            errors << file << ": error: cannot read: " << reason << '\n';
            unreadable = true;
            continue;
        }
        StoredFileCheck check(bytes);
        std::vector<StoredFinding> saveFindings;
        try {
            saveFindings = SaveFindings(file, bytes, check);
        } catch (const std::bad_alloc&) {
            // The document of a huge file with very many options may not
            // fit in memory; the file's own findings still do.
            errors << file << ": error: cannot load: out of memory\n";
            unreadable = true;
        }
        check.Report(saveFindings, [&](const StoredFinding& finding) {
            out << file << ':' << finding.line << ": warning: " << finding.message << '\n';
            found = true;
        });
    }
    return unreadable ? 2 : found ? 1 : 0;
}
