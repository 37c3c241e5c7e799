#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct StoredFinding
{
    std::size_t line; // from 1, in the file as stored
    std::string message;
};

// What a definition file holds that the reader ignores, or reads otherwise
// than it looks, found in the bytes as they are stored. Time is linear in
// the size of the bytes, whatever they hold, and memory grows with the
// sections and options the file has, not with its findings: they are
// handed out one at a time.
class StoredFileCheck
{
public:
    // Learns the file's sections and options; bytes must outlive the check.
    explicit StoredFileCheck(std::string_view bytes);
    ~StoredFileCheck();
    StoredFileCheck(const StoredFileCheck&) = delete;
    StoredFileCheck& operator=(const StoredFileCheck&) = delete;

    // For each option the reader makes, in order, the line of its header.
    const std::vector<std::size_t>& OptionLines() const;
    // Whether a finding at the option's header already says that it reads
    // the keys of another section.
    bool OptionKeysSaid(std::size_t option) const;
    // Whether a finding already says that "First" marks no option.
    bool DefaultSaid() const;

    using Sink = std::function<void(const StoredFinding&)>;
    // Hands every finding to sink in line order, and with them the findings
    // of extra (in line order), each after the file's own of its line.
    void Report(const std::vector<StoredFinding>& extra, const Sink& sink);

private:
    class Checker;
    std::unique_ptr<Checker> checker_;
};
