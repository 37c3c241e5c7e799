#include "editor/Application.h"
#include "editor/CommandLineModes.h"

#include <iostream>
#include <vector>

int main(int argc, char* argv[])
{
    std::vector<char*> arguments(argv, argv + argc);
    if (const std::optional<int> status = RunCommandLineMode(arguments, std::cout, std::cerr))
        return *status;
    int count = static_cast<int>(arguments.size());
    arguments.push_back(nullptr);
    return RunQuarnEditor(count, arguments.data());
}
