#include "tests/document/oracle/LiteralReader.h"

#include "document/DefinitionPath.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr std::size_t Capacity = 40958;

bool SameLetters(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c; };
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

// "%d" on a 31-character copy of the value, saturating at the 32-bit limits.
bool ScanInteger(std::string_view value, std::int32_t& number)
{
    char buffer[32] = {};
    std::memcpy(buffer, value.data(), value.size() < 31 ? value.size() : 31);
    const char* p = buffer;
    while (*p != '\0' && std::strchr(" \t\n\v\f\r", *p))
        ++p;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    if (*p < '0' || *p > '9')
        return false;
    long long n = 0;
    for (; *p >= '0' && *p <= '9'; ++p)
        if (n < 10000000000LL)
            n = n * 10 + (*p - '0');
    if (negative)
        n = -n;
    if (n > INT32_MAX)
        n = INT32_MAX;
    if (n < INT32_MIN)
        n = INT32_MIN;
    number = static_cast<std::int32_t>(n);
    return true;
}

class Scanner
{
public:
    explicit Scanner(std::string_view file) : file_(file) {}

    // The next logical line, line end removed; false at the end of the file.
    bool NextLine(std::string& line)
    {
        line = ReadLine(Capacity);
        if (line.empty())
            return false;
        std::int32_t count = 0;
        const std::size_t equals = line.find('=');
        if (line[0] != '[' && equals != std::string::npos &&
            SameLetters(line.substr(0, equals), "Information") &&
            ScanInteger(std::string_view(line).substr(equals + 1), count)) {
            line.erase(equals + 1);
            for (std::int32_t read = 0; count < 0 || read < count; ++read) {
                if (line.size() >= Capacity)
                    break;
                std::string text = ReadLine(Capacity - line.size());
                if (text.empty())
                    break;
                if (text.back() != '\n') {
                    line += text;
                    break;
                }
                text.pop_back();
                if (!text.empty() && text.back() == '\r')
                    text.pop_back();
                line += text + "\r\n";
            }
        }
        if (line.back() == '\n') {
            line.pop_back();
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
        }
        return true;
    }

private:
    std::string ReadLine(std::size_t max)
    {
        std::string line;
        while (line.size() < max && position_ < file_.size()) {
            line += file_[position_++];
            if (line.back() == '\n')
                break;
        }
        return line;
    }

    std::string_view file_;
    std::size_t position_ = 0;
};

std::string SectionName(std::string_view file, std::size_t position)
{
    Scanner scanner(file);
    std::string line;
    std::size_t headers = 0;
    while (scanner.NextLine(line)) {
        if (line[0] != '[')
            continue;
        if (headers++ < position)
            continue;
        const std::size_t close = line.find(']');
        return close == std::string::npos ? std::string() : line.substr(1, close - 1);
    }
    return {};
}

std::string LookUp(std::string_view file, std::string_view section, std::string_view key)
{
    Scanner scanner(file);
    std::string line;
    bool inSection = false;
    while (scanner.NextLine(line)) {
        if (line[0] == '[') {
            if (inSection)
                return {};
            const std::size_t close = line.find(']');
            inSection =
                close != std::string::npos && SameLetters(line.substr(1, close - 1), section);
            continue;
        }
        const std::size_t equals = line.find('=');
        if (inSection && equals != std::string::npos && SameLetters(line.substr(0, equals), key))
            return line.substr(equals + 1);
    }
    return {};
}

std::int32_t LookUpNumber(std::string_view file, std::string_view section, std::string_view key)
{
    std::int32_t number = 0;
    ScanInteger(LookUp(file, section, key), number);
    return number;
}

} // namespace

CDef ReadDefinitionLiterally(std::string_view bytes, const std::string& program,
                             const std::string& definitionPath)
{
    CDef def;
    def.Name = LookUp(bytes, "Quarn", "Name");
    def.Program = LookUp(bytes, "Quarn", "Program");
    def.Directory = LookUp(bytes, "Quarn", "Directory");
    def.Shell = LookUp(bytes, "Quarn", "Command shell");
    def.First = LookUpNumber(bytes, "Quarn", "First");
    def.Information = LookUp(bytes, "Quarn", "Information");
    if (def.Program.empty() && !SamePath(program, definitionPath))
        def.Program = program;

    for (std::size_t k = 1;; ++k) {
        const std::string name = SectionName(bytes, k);
        if (name.empty())
            break;
        COption option;
        option.Name = name;
        option.Type = LookUp(bytes, name, "Type");
        option.Value = LookUp(bytes, name, "Value");
        for (int n = 1;; ++n) {
            std::string value = LookUp(bytes, name, "Value" + std::to_string(n));
            if (value.empty())
                break;
            option.Values.push_back(value);
        }
        option.Format = LookUp(bytes, name, "Format");
        option.Arg = LookUpNumber(bytes, name, "Arg");
        option.Multiple = LookUpNumber(bytes, name, "Multiple") != 0;
        option.Mandatory = LookUpNumber(bytes, name, "Mandatory") != 0;
        option.UseDir = LookUpNumber(bytes, name, "Use Directory") != 0;
        option.Information = LookUp(bytes, name, "Information");
        option.Default = static_cast<long long>(def.First) == static_cast<long long>(k) - 1;
        def.Options.push_back(option);
    }
    return def;
}
