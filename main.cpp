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
    const std::string_view first = argc >= 2 ? argv[1] : "";
    if (first == "--check" && argc == 2) {
        std::cerr << "QuarnEd: --check needs at least one FILE\n" << QUARNED_USAGE;
        return 2;
    }
    if (first == "--check")
        return CheckDefinitionFiles({argv + 2, argv + argc}, std::cout, std::cerr);
    // Only these exact words are options: any other first argument is a
    // file, and "./--help" opens a file of that name.
    if (first == "--help") {
        std::cout << QUARNED_USAGE;
        return 0;
    }
    if (first == "--version") {
        std::cout << "QuarnEd " QUARNED_PRODUCT_VERSION "\n";
        return 0;
    }
    return RunQuarnEditor(argc, argv);
}
