// Feeds any bytes to the definition reader and to the literal re-scanning
// reader it must agree with; a difference aborts with both results.

#include "document/DefinitionFile.h"
#include "tests/document/oracle/LiteralReader.h"

#include <cstdint>
#include <cstdlib>
#include <iostream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string program = "/fuzz/tool.exe";
    const std::string definitionPath = "/fuzz/tool.Quarn";
    const CDef fast = ReadDefinition(bytes, program, definitionPath);
    const CDef literal = ReadDefinitionLiterally(bytes, program, definitionPath);
    if (fast != literal) {
        std::cerr << "The readers differ.\nReadDefinition:\n"
                  << fast << "\nliteral reader:\n"
                  << literal << '\n';
        std::abort();
    }
    return 0;
}
