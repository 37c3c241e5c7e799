#include "document/RunTimeChecks.h"

#include "document/CommandWords.h"
#include "document/LaunchValues.h"
#include "document/OptionType.h"

#include <algorithm>
#include <iterator>
#include <map>

namespace {

std::string OptionNamed(std::size_t position)
{
    return "Option " + std::to_string(position + 1);
}

class Checker
{
public:
    explicit Checker(const CDef& def) : def_(def) {}

    std::vector<RunTimeFinding> Run()
    {
        const std::map<std::int32_t, std::size_t> firstOfArgument = ArgumentOwners();
        bool folderChosen = false;
        for (std::size_t i = 0; i < def_.Options.size(); ++i) {
            const COption& option = def_.Options[i];
            const OptionType type = OptionTypeOf(option.Type);
            CheckFormat(i, option, type);
            CheckList(i, option, type);
            if (option.Arg > 0)
                CheckArgument(i, option.Arg, firstOfArgument);
            if (option.UseDir && !IsCheckBoxType(type)) {
                if (folderChosen)
                    Add(i, RunTimeMistake::SecondFolderOption,
                        "an earlier option already chooses the working folder; the launcher "
                        "uses the first that has a value");
                folderChosen = true;
            }
        }
        return std::move(findings_);
    }

private:
    void Add(std::size_t option, RunTimeMistake mistake, const std::string& what)
    {
        findings_.push_back({static_cast<int>(option), mistake, OptionNamed(option) + ": " + what});
    }

    void CheckFormat(std::size_t i, const COption& option, OptionType type)
    {
        const FormatWords format = SplitFormat(option.Format);
        if (format.unclosedQuote)
            Add(i, RunTimeMistake::UnclosedQuote,
                "its format has a quote without its end; the launcher will not run it");
        if (format.strayPercent)
            Add(i, RunTimeMistake::StrayPercent,
                "its format has a '%' that is neither %s nor %%; it stands for itself");
        if (IsCheckBoxType(type) && format.words.empty())
            Add(i, RunTimeMistake::CheckBoxWithoutFormat,
                "a check box without a format can never add anything to the command line");
        if (TakesValueList(option) && !format.words.empty() && !format.hasValue)
            Add(i, RunTimeMistake::RepeatedFormat,
                "it takes several values, and its format without %s comes before each of "
                "them");
    }

    void CheckList(std::size_t i, const COption& option, OptionType type)
    {
        if (type != OptionType::Select)
            return;
        if (option.Values.empty())
            Add(i, RunTimeMistake::SelectWithoutValues,
                "a \"Select\" option without listed values offers nothing to choose");
        else if (!option.Value.empty() && std::find(option.Values.begin(), option.Values.end(),
                                                     option.Value) == option.Values.end())
            Add(i, RunTimeMistake::ValueNotListed,
                "its value \"" + option.Value + "\" is not one of its listed values");
    }

    // The first option of each argument number.
    std::map<std::int32_t, std::size_t> ArgumentOwners() const
    {
        std::map<std::int32_t, std::size_t> owners;
        for (std::size_t i = 0; i < def_.Options.size(); ++i) {
            if (def_.Options[i].Arg > 0)
                owners.emplace(def_.Options[i].Arg, i);
        }
        return owners;
    }

    void CheckArgument(std::size_t i, std::int32_t arg,
                       const std::map<std::int32_t, std::size_t>& owners)
    {
        const std::size_t first = owners.at(arg);
        if (first != i) {
            Add(i, RunTimeMistake::SharedArgument,
                OptionNamed(first) + " already takes argument " + std::to_string(arg));
            return;
        }
        // The numbers below arg that no option takes: the caller's
        // arguments there are passed on after the options instead.
        const auto below = owners.find(arg);
        const std::int32_t previous = below == owners.begin() ? 0 : std::prev(below)->first;
        if (previous + 1 < arg)
            Add(i, RunTimeMistake::SkippedArgument,
                "no option takes argument " + std::to_string(previous + 1) +
                    (previous + 2 < arg ? " to " + std::to_string(arg - 1) : std::string()));
    }

    const CDef& def_;
    std::vector<RunTimeFinding> findings_;
};

} // namespace

std::vector<RunTimeFinding> FindRunTimeMistakes(const CDef& def)
{
    return Checker(def).Run();
}
