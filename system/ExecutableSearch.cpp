#include "system/ExecutableSearch.h"

#include "system/FileNameCodec.h"
#include "system/FileNamePattern.h"
#include "system/Platform.h"
#include "system/SearchForm.h"

#include <QCoreApplication>
#include <QDir>

#include <vector>

ExecutableSearch::ExecutableSearch(Platform& platform, TSearchForm& form)
    : platform(platform), form(form)
{
    form.UseState(&state);
}

ExecutableSearch::~ExecutableSearch()
{
    form.UseState(nullptr);
}

std::optional<FilePath> ExecutableSearch::DialogPresetFor(const FilePath& program)
{
    if (program.IsEmpty() || platform.FileExists(program))
        return program;
    const FilePath name = program.FileName();
    const FilePath found = platform.FindExecutable(name, platform.CurrentDirectory());
    if (!found.IsEmpty())
        return found;
    // No file has an empty name: a scan would visit every folder to find
    // nothing, so give the answer of a scan without a hit at once.
    if (name.IsEmpty())
        return program;
    return Scan(name.Text(), program);
}

std::optional<FilePath> ExecutableSearch::Scan(const QString& name, const FilePath& program)
{
    state.SearchRunning = true;
    state.BrowseRequested = false;
    state.SearchStopped = false;
    form.setWindowTitle(QStringLiteral("Searching ") + name + QStringLiteral(" in"));
    form.show();
    const bool found = SearchFixedDrives(name);
    form.hide();
    state.SearchRunning = false;

    if (found && !state.SearchStopped)
        return state.FoundPath;
    if (state.BrowseRequested || !state.SearchStopped)
        return program;
    return std::nullopt;
}

bool ExecutableSearch::SearchFixedDrives(const QString& name)
{
    for (const FilePath& root : platform.FixedDriveRoots()) {
        if (SearchFolder(root, name))
            return true;
    }
    return false;
}

bool ExecutableSearch::SearchFolder(const FilePath& folder, const QString& name)
{
    form.ShowFolder(folder.Text());
    // Browse, Cancel, repainting and the animation get their turn here.
    QCoreApplication::processEvents();
    if (state.SearchStopped)
        return true;

    std::vector<FolderEntry> entries;
    if (!platform.ListFolder(folder, entries))
        return false;
    for (const FolderEntry& entry : entries) {
        if (entry.isFile &&
            MatchesFilePattern(DecodeFileName(QByteArray::fromStdString(entry.name)), name)) {
            state.FoundPath = folder + entry.name;
            return true;
        }
    }
    const char separator = QDir::separator().toLatin1();
    for (const FolderEntry& entry : entries) {
        if (entry.isFolder &&
            SearchFolder(folder + entry.name + std::string_view(&separator, 1), name))
            return true;
    }
    return false;
}
