#include "document/DefinitionCheck.h"
#include "editor/Application.h"
#include "system/Version.h"

#include <iostream>
#include <string_view>

int main(int argc, char* argv[])
{
    // "QuarnEd --check FILE..." reports, for scripts, what the reader of
    // the files ignores or reads otherwise than it looks and what a save
    // would lose; it, --help and --version need no display.
    if (argc >= 2 && std::string_view(argv[1]) == "--check")
        return CheckDefinitionFiles({argv + 2, argv + argc}, std::cout, std::cerr);
    // Only these exact words are options: any other first argument is a
    // file, and "./--help" opens a file of that name.
    if (argc >= 2 && std::string_view(argv[1]) == "--help") {
        std::cout << QUARNED_USAGE;
        return 0;
    }
    if (argc >= 2 && std::string_view(argv[1]) == "--version") {
        std::cout << "QuarnEd " QUARNED_PRODUCT_VERSION "\n";
        return 0;
    }
    return RunQuarnEditor(argc, argv);
}
