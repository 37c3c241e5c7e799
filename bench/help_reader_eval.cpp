// Measures the help text reader against programs installed on this machine.
// Each file in the expectations folder names a command that prints a help
// text and lists, written by hand from that text, the options it shows:
//
//   # a comment
//   command: ls --help
//   set: tuning                      (or held-out: not looked at while tuning)
//   -a --all                         the option's names: a switch
//   -w --width =                     "=": it takes a value
//   --color = always auto never      the listed values after "="
//
// The command runs without a shell, stdin from /dev/null, LC_ALL=C,
// NO_COLOR=1, TERM=dumb, COLUMNS=200, for at most five seconds; its output
// and error output are read together. A drafted option matches an expected
// one when they share a name. Prints, per program and per set, the
// precision and recall of options; of "takes a value" among matched options
// (and how often the two agree); and of choice lists (equal as sets), with
// the drafted options that have a list and the expected ones with a list.
// The last column counts the hazards of the drafted definition (options a
// save would not keep as they are): it should be 0.
//
//   help_reader_eval [-v] [FOLDER]      -v: list every miss and every wrong option
#include "document/DefinitionHazards.h"
#include "document/HelpTextReader.h"
#include "document/OptionType.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <poll.h>
#include <set>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace {

constexpr int TimeoutMilliseconds = 5000;

struct ExpectedOption
{
    std::vector<std::string> names;
    bool takesValue = false;
    std::set<std::string> choices;
};

struct Expectation
{
    std::string name; // the file's name without ".txt"
    std::vector<std::string> command;
    std::string set;
    std::vector<ExpectedOption> options;
};

std::vector<std::string> Words(const std::string& text)
{
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

Expectation ReadExpectation(const fs::path& path)
{
    Expectation expectation;
    expectation.name = path.stem().string();
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        if (line.rfind("command:", 0) == 0) {
            expectation.command = Words(line.substr(8));
        } else if (line.rfind("set:", 0) == 0) {
            const std::vector<std::string> set = Words(line.substr(4));
            expectation.set = set.empty() ? std::string() : set.front();
        } else {
            ExpectedOption option;
            for (const std::string& word : Words(line)) {
                if (word == "=")
                    option.takesValue = true;
                else if (option.takesValue)
                    option.choices.insert(word);
                else
                    option.names.push_back(word);
            }
            expectation.options.push_back(std::move(option));
        }
    }
    return expectation;
}

// The environment of this process with the help-text settings.
std::vector<std::string> HelpEnvironment()
{
    static const std::map<std::string, std::string> Settings = {
        {"LC_ALL", "C"}, {"NO_COLOR", "1"}, {"TERM", "dumb"}, {"COLUMNS", "200"}};
    std::vector<std::string> environment;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        const std::string entry = *variable;
        if (Settings.count(entry.substr(0, entry.find('='))) == 0)
            environment.push_back(entry);
    }
    for (const auto& [name, value] : Settings)
        environment.push_back(name + "=" + value);
    return environment;
}

std::vector<char*> Pointers(std::vector<std::string>& texts)
{
    std::vector<char*> pointers;
    for (std::string& text : texts)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

// The command's output and error output, or nothing when it cannot start.
std::string RunCommand(std::vector<std::string> command)
{
    std::vector<std::string> environment = HelpEnvironment();
    std::vector<char*> arguments = Pointers(command);
    std::vector<char*> variables = Pointers(environment);
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0)
        return {};
    const pid_t child = fork();
    if (child == 0) {
        setpgid(0, 0);
        const int null = open("/dev/null", O_RDONLY);
        dup2(null, STDIN_FILENO);
        dup2(pipeEnds[1], STDOUT_FILENO);
        dup2(pipeEnds[1], STDERR_FILENO);
        execvpe(arguments[0], arguments.data(), variables.data());
        _exit(127);
    }
    close(pipeEnds[1]);
    std::string output;
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(TimeoutMilliseconds);
    while (child > 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd readable = {pipeEnds[0], POLLIN, 0};
        if (left.count() <= 0 || poll(&readable, 1, static_cast<int>(left.count())) == 0) {
            kill(-child, SIGKILL);
            break;
        }
        char buffer[65536];
        const ssize_t got = read(pipeEnds[0], buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        output.append(buffer, static_cast<std::size_t>(got));
    }
    close(pipeEnds[0]);
    if (child > 0)
        waitpid(child, nullptr, 0);
    return output;
}

struct Counts
{
    int drafted = 0;
    int expected = 0;
    int matched = 0;
    int valueDrafted = 0;  // matched options drafted with a value
    int valueExpected = 0; // matched options expected to take one
    int valueBoth = 0;
    int valueAgree = 0;
    int choicesDrafted = 0;
    int choicesExpected = 0;
    int choicesEqual = 0;
    int hazards = 0;

    Counts& operator+=(const Counts& other)
    {
        drafted += other.drafted;
        expected += other.expected;
        matched += other.matched;
        valueDrafted += other.valueDrafted;
        valueExpected += other.valueExpected;
        valueBoth += other.valueBoth;
        valueAgree += other.valueAgree;
        choicesDrafted += other.choicesDrafted;
        choicesExpected += other.choicesExpected;
        choicesEqual += other.choicesEqual;
        hazards += other.hazards;
        return *this;
    }
};

bool DraftTakesValue(const DraftedOption& option)
{
    return !IsCheckBoxType(OptionTypeOf(option.option.Type));
}

std::string Names(const std::vector<std::string>& names)
{
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : " ") + name;
    return text;
}

Counts Score(const Expectation& expectation, const HelpDraft& draft, bool verbose)
{
    Counts counts;
    std::vector<const DraftedOption*> drafted;
    for (const DraftedOption& option : draft.options) {
        if (!option.spellings.empty())
            drafted.push_back(&option);
    }
    counts.drafted = static_cast<int>(drafted.size());
    counts.expected = static_cast<int>(expectation.options.size());
    std::vector<bool> used(drafted.size(), false);
    for (const ExpectedOption& expected : expectation.options) {
        counts.choicesExpected += expected.choices.empty() ? 0 : 1;
        const DraftedOption* match = nullptr;
        for (std::size_t i = 0; i < drafted.size() && match == nullptr; ++i) {
            for (const std::string& name : drafted[i]->spellings) {
                if (!used[i] && std::find(expected.names.begin(), expected.names.end(), name) !=
                                    expected.names.end()) {
                    used[i] = true;
                    match = drafted[i];
                    break;
                }
            }
        }
        if (match == nullptr) {
            if (verbose)
                std::printf("    missed: %s\n", Names(expected.names).c_str());
            continue;
        }
        ++counts.matched;
        const bool value = DraftTakesValue(*match);
        counts.valueDrafted += value ? 1 : 0;
        counts.valueExpected += expected.takesValue ? 1 : 0;
        counts.valueBoth += value && expected.takesValue ? 1 : 0;
        counts.valueAgree += value == expected.takesValue ? 1 : 0;
        const std::set<std::string> choices(match->option.Values.begin(),
                                            match->option.Values.end());
        counts.choicesEqual += !choices.empty() && choices == expected.choices ? 1 : 0;
        if (verbose && value != expected.takesValue)
            std::printf("    value: %s drafted %s\n", Names(expected.names).c_str(),
                        match->option.Type.c_str());
        if (verbose && choices != expected.choices && (value || !choices.empty()))
            std::printf("    choices: %s drafted [%s] expected [%s]\n",
                        Names(expected.names).c_str(),
                        Names({choices.begin(), choices.end()}).c_str(),
                        Names({expected.choices.begin(), expected.choices.end()}).c_str());
    }
    for (std::size_t i = 0; i < drafted.size(); ++i) {
        counts.choicesDrafted += drafted[i]->option.Values.empty() ? 0 : 1;
        if (verbose && !used[i])
            std::printf("    wrong: %s (from \"%s\")\n", Names(drafted[i]->spellings).c_str(),
                        drafted[i]->sourceLine.c_str());
    }
    return counts;
}

std::string Ratio(int part, int whole)
{
    char text[16];
    if (whole == 0)
        return "   -  ";
    std::snprintf(text, sizeof text, "%6.3f", static_cast<double>(part) / whole);
    return text;
}

void PrintRow(const std::string& name, const std::string& set, const Counts& c)
{
    std::printf("%-16s %-9s %4d %4d  %s %s  %s %s %s  %s %s %3d %3d  %d\n", name.c_str(),
                set.c_str(), c.drafted, c.expected, Ratio(c.matched, c.drafted).c_str(),
                Ratio(c.matched, c.expected).c_str(), Ratio(c.valueBoth, c.valueDrafted).c_str(),
                Ratio(c.valueBoth, c.valueExpected).c_str(), Ratio(c.valueAgree, c.matched).c_str(),
                Ratio(c.choicesEqual, c.choicesDrafted).c_str(),
                Ratio(c.choicesEqual, c.choicesExpected).c_str(), c.choicesDrafted,
                c.choicesExpected, c.hazards);
}

} // namespace

int main(int argc, char** argv)
{
    bool verbose = false;
    fs::path folder = QUARN_HELP_EXPECTATIONS;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-v") == 0)
            verbose = true;
        else
            folder = argv[i];
    }
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() == ".txt")
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());

    std::printf("%-16s %-9s %4s %4s  %-13s  %-20s  %-13s %7s  %s\n", "program", "set", "drft",
                "exp", "options P  R", "value P  R  agree", "choices P  R", "drft exp", "hazards");
    std::map<std::string, Counts> sets;
    Counts all;
    for (const fs::path& file : files) {
        const Expectation expectation = ReadExpectation(file);
        const std::string output = RunCommand(expectation.command);
        if (output.empty()) {
            std::printf("%-16s %-9s not run: %s\n", expectation.name.c_str(),
                        expectation.set.c_str(), Names(expectation.command).c_str());
            continue;
        }
        const HelpDraft draft = ReadHelpText(output);
        if (verbose)
            std::printf("%s:\n", expectation.name.c_str());
        Counts counts = Score(expectation, draft, verbose);
        counts.hazards = static_cast<int>(
            FindHazards(DraftDefinition(draft, expectation.command.front())).size());
        PrintRow(expectation.name, expectation.set, counts);
        sets[expectation.set] += counts;
        all += counts;
    }
    std::printf("\n");
    for (const auto& [set, counts] : sets)
        PrintRow("total", set, counts);
    PrintRow("total", "all", all);
    return 0;
}
