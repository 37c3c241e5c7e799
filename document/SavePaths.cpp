#include "document/SavePaths.h"

#include "document/FileStamp.h"

#include <cstdio>
#include <random>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr std::size_t MaxStem = 200; // leaves room for the longest suffix within 255 bytes
constexpr std::size_t UniqueLetters = 6;
constexpr std::size_t MaxProcessDigits = 10;
const std::string TemporaryMark = ".quarned-";

std::string Stem(const fs::path& target)
{
    return "." + target.filename().string().substr(0, MaxStem);
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The characters that replace the X of a template.
bool IsUniqueLetter(char c)
{
    return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool AllOf(const std::string& text, std::size_t from, std::size_t to, bool (*test)(char))
{
    for (std::size_t i = from; i < to; ++i)
        if (!test(text[i]))
            return false;
    return true;
}

} // namespace

bool ResolveLinks(const std::string& path, fs::path& target, std::string& error)
{
    target = path;
    for (int depth = 0;; ++depth) {
        std::error_code code;
        const fs::file_status status = fs::symlink_status(target, code);
        if (code && code != std::errc::no_such_file_or_directory) {
            error = code.message();
            return false;
        }
        if (!fs::is_symlink(status))
            return true;
        if (depth == MaxLinkDepth) {
            error = ErrorReason(static_cast<int>(std::errc::too_many_symbolic_link_levels));
            return false;
        }
        const fs::path link = fs::read_symlink(target, code);
        if (code) {
            error = code.message();
            return false;
        }
        target = link.is_absolute() ? link : target.parent_path() / link;
    }
}

fs::path TemporaryTemplate(const fs::path& target, long processId)
{
    return target.parent_path() / (Stem(target) + TemporaryMark + std::to_string(processId) + "-" +
                                   std::string(UniqueLetters, 'X'));
}

std::string WithUniqueLetters(std::string name)
{
    static const char Letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device random;
    std::uniform_int_distribution<std::size_t> pick(0, sizeof Letters - 2);
    for (auto letter = name.rbegin(); letter != name.rend() && *letter == 'X'; ++letter)
        *letter = Letters[pick(random)];
    return name;
}

bool IsTemporaryName(const std::string& fileName)
{
    // From the end: six letters or digits, '-', the process id, the mark,
    // and before it a '.' with at least one character of the target's name.
    const std::size_t size = fileName.size();
    if (size < UniqueLetters + 1 || fileName[0] != '.')
        return false;
    const std::size_t dash = size - UniqueLetters - 1;
    if (fileName[dash] != '-' || !AllOf(fileName, dash + 1, size, IsUniqueLetter))
        return false;
    const std::size_t mark = fileName.rfind(TemporaryMark, dash);
    if (mark == std::string::npos || mark < 2)
        return false;
    const std::size_t digits = mark + TemporaryMark.size();
    return digits < dash && dash - digits <= MaxProcessDigits && fileName[digits] != '0' &&
           AllOf(fileName, digits, dash, IsDigit);
}

fs::path BackupPath(const fs::path& target)
{
    // Names of up to MaxStem bytes keep the name earlier versions gave, so
    // that the copies they left are found; a cut name is longer than any of
    // those, so the two kinds never meet.
    const std::string name = target.filename().string();
    std::string stem = Stem(target);
    if (name.size() > MaxStem) {
        char hash[17];
        std::snprintf(hash, sizeof hash, "%016llx",
                      static_cast<unsigned long long>(HashBytes(name)));
        stem += "~" + std::string(hash);
    }
    return target.parent_path() / (stem + ".quarned-backup");
}

std::string ErrorReason(int code)
{
    return std::generic_category().message(code);
}
