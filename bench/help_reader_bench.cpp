// Reads generated help texts of 5,000 lines with the help text reader and
// prints the median time of the runs: sections of GNU, argparse, clap and
// Go flag layouts with wrapped descriptions, value choices and prose; and
// one section of 5,000 options each followed by a single blank, the layout
// whose every line is weighed against its neighbours.
//
//   help_reader_bench [RUNS]       21 runs when no number is given
#include "document/HelpTextReader.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int Lines = 5000;
constexpr int DefaultRuns = 21;

std::string Number(int n)
{
    return std::to_string(n);
}

// The lines of one section of about twenty options in one of four layouts.
void AddSection(std::vector<std::string>& lines, int section)
{
    const std::string s = Number(section);
    lines.push_back("");
    lines.push_back("Section " + s + " options:");
    for (int i = 0; i < 20; ++i) {
        const std::string name = "option-" + s + "-" + Number(i);
        switch (section % 4) {
        case 0: // GNU, a description wrapped onto a second line
            lines.push_back("  -" + std::string(1, static_cast<char>('a' + i)) + ", --" + name +
                            "=FILE      use FILE for the " + Number(i) + "th step of the run;");
            lines.push_back("                             WHEN is 'always', 'never' or 'auto'");
            break;
        case 1: // argparse, the description below
            lines.push_back("  --" + name + " {fast,slow,auto}");
            lines.push_back("                        how to run the " + Number(i) +
                            "th step (default: auto)");
            break;
        case 2: // clap
            lines.push_back("      --" + name +
                            " <MODE>  Mode of the step [default: a] "
                            "[possible values: a, b, c]");
            break;
        default: // Go flag
            lines.push_back("  -" + name + " string");
            lines.push_back("    \tthe step's name; one of \"x\", \"y\" (default \"x\")");
            break;
        }
    }
    lines.push_back("");
    lines.push_back("The MODE argument of section " + s +
                    " can be 'a', 'b' or 'c'; see the manual for more.");
}

std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + '\n';
    return text;
}

std::string GeneratedHelp()
{
    std::vector<std::string> lines = {"Usage: tool [OPTION]... PATTERN [FILE]...",
                                      "Runs the steps of a generated tool.", ""};
    for (int section = 0; lines.size() < Lines; ++section)
        AddSection(lines, section);
    lines.resize(Lines);
    return Joined(lines);
}

std::string OneBlankHelp()
{
    std::vector<std::string> lines = {"Options:"};
    for (int i = 1; i < Lines; ++i)
        lines.push_back(" -option" + Number(i) + " Describes option " + Number(i) + " in a line");
    return Joined(lines);
}

void Measure(const char* name, const std::string& help, int runs)
{
    std::vector<double> milliseconds;
    std::size_t options = 0;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const HelpDraft draft = ReadHelpText(help);
        const auto end = std::chrono::steady_clock::now();
        options = draft.options.size();
        milliseconds.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    std::printf("%s: %d lines, %zu bytes, %zu options drafted\n", name, Lines, help.size(),
                options);
    std::printf("  median of %d runs: %.2f ms (fastest %.2f, slowest %.2f)\n", runs,
                milliseconds[milliseconds.size() / 2], milliseconds.front(), milliseconds.back());
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : DefaultRuns;
    Measure("mixed layouts", GeneratedHelp(), runs);
    Measure("one blank before each description", OneBlankHelp(), runs);
    return 0;
}
