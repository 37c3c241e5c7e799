#include "system/ExecutableSearch.h"

#include "system/FileNamePattern.h"
#include "system/PathNames.h"
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

std::optional<QString> ExecutableSearch::DialogPresetFor(const QString& programText)
{
    if (programText.isEmpty() || platform.FileExists(programText))
        return programText;
    const QString name = FileNamePartOf(programText);
    const QString program = platform.FindExecutable(name, platform.CurrentDirectory());
    if (!program.isEmpty())
        return program;
    // No file has an empty name: a scan would visit every folder to find
    // nothing, so give the answer of a scan without a hit at once.
    if (name.isEmpty())
        return programText;
    return Scan(name, programText);
}

std::optional<QString> ExecutableSearch::Scan(const QString& name, const QString& programText)
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
        return programText;
    return std::nullopt;
}

bool ExecutableSearch::SearchFixedDrives(const QString& name)
{
    const QStringList roots = platform.FixedDriveRoots();
    for (const QString& root : roots) {
        if (SearchFolder(root, name))
            return true;
    }
    return false;
}

bool ExecutableSearch::SearchFolder(const QString& folder, const QString& name)
{
    form.ShowFolder(folder);
    // Browse, Cancel, repainting and the animation get their turn here.
    QCoreApplication::processEvents();
    if (state.SearchStopped)
        return true;

    std::vector<FolderEntry> entries;
    if (!platform.ListFolder(folder, entries))
        return false;
    for (const FolderEntry& entry : entries) {
        if (entry.isFile && MatchesFilePattern(entry.name, name)) {
            state.FoundPath = folder + entry.name;
            return true;
        }
    }
    for (const FolderEntry& entry : entries) {
        if (entry.isFolder && SearchFolder(folder + entry.name + QDir::separator(), name))
            return true;
    }
    return false;
}
