// Feeds any bytes to the check of a stored file: it must finish, give
// one-line findings in line order at lines the file has, and find the
// options the reader makes, in line order.

#include "document/DefinitionFile.h"
#include "document/StoredFileCheck.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iostream>

namespace {

void Fail(const char* what, const std::vector<StoredFinding>& findings)
{
    std::cerr << "The check of a stored file " << what << ":\n";
    for (const StoredFinding& finding : findings)
        std::cerr << finding.line << ": " << finding.message << '\n';
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    StoredFileCheck check(bytes);
    const std::vector<StoredFinding> extra = {{1, "extra"}, {3, "extra"}};
    std::vector<StoredFinding> findings;
    check.Report(extra, [&findings](const StoredFinding& finding) { findings.push_back(finding); });
    const auto lines = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1;
    const auto byLine = [](const StoredFinding& a, const StoredFinding& b) {
        return a.line < b.line;
    };
    if (!std::is_sorted(findings.begin(), findings.end(), byLine))
        Fail("gives findings out of line order", findings);
    if (std::count_if(findings.begin(), findings.end(),
                      [](const StoredFinding& finding) { return finding.message == "extra"; }) != 2)
        Fail("loses extra findings", findings);
    for (const StoredFinding& finding : findings) {
        if (finding.line < 1 || (finding.line > lines && finding.message != "extra"))
            Fail("gives a line the file does not have", findings);
        if (std::any_of(finding.message.begin(), finding.message.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20; }))
            Fail("gives a message with a control character", findings);
    }
    const CDef def = ReadDefinition(bytes, "/fuzz/tool.Quarn", "/fuzz/tool.Quarn");
    const std::vector<std::size_t>& options = check.OptionLines();
    if (options.size() != def.Options.size())
        Fail("finds other options than the reader", findings);
    // Non-decreasing: the rest of a line past the capacity may be a header.
    if (!std::is_sorted(options.begin(), options.end()))
        Fail("gives options at lines out of order", findings);
    return 0;
}
