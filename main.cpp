#include "document/DefinitionHazards.h"
#include "editor/Application.h"

#include <iostream>
#include <string_view>

int main(int argc, char* argv[])
{
    // "QuarnEd --check FILE..." reports what the files would lose on a
    // save, for scripts; it needs no display.
    if (argc >= 2 && std::string_view(argv[1]) == "--check")
        return CheckDefinitionFiles({argv + 2, argv + argc}, std::cout, std::cerr);
    return RunQuarnEditor(argc, argv);
}
