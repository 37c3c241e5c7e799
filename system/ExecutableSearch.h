#pragma once

#include "system/SearchState.h"

#include <QString>

#include <optional>

class Platform;
class TSearchForm;

// Finds a program file for the Program field: the field's own text, the
// program the platform would open the name with, or a scan of the fixed
// drives shown in the search window, which the user can cut short with
// Browse or Cancel.
class ExecutableSearch
{
public:
    ExecutableSearch(Platform& platform, TSearchForm& form);
    ~ExecutableSearch();
    ExecutableSearch(const ExecutableSearch&) = delete;
    ExecutableSearch& operator=(const ExecutableSearch&) = delete;

    // The initial file name for the executable open dialog, or nothing when the user cancelled
    // the scan.
    std::optional<FilePath> DialogPresetFor(const FilePath& program);

    // True when the scan ended early: a file was found (FoundPath) or the
    // user stopped it. Folders end in the platform's separator.
    bool SearchFixedDrives(const QString& name);
    bool SearchFolder(const FilePath& folder, const QString& name);

    const SearchState& State() const { return state; }

private:
    std::optional<FilePath> Scan(const QString& name, const FilePath& program);

    Platform& platform;
    TSearchForm& form;
    SearchState state;
};
