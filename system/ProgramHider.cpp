#include "system/ProgramHider.h"

#include "document/TextCompare.h"
#include "system/Dialogs.h"
#include "system/Launcher.h"
#include "system/Platform.h"

#include <algorithm>

namespace {

constexpr std::string_view DefinitionExtension = ".Quarn";
// Inserted after the extension's dot to name the hidden program file; its
// length is what the undo takes out again.
constexpr std::string_view HiddenMark = "Quarn";

// The extension split at its dot: the dot (if any) and what follows it.
std::string DotOf(const std::string& extension)
{
    return extension.substr(0, 1);
}

std::string AfterDotOf(const std::string& extension)
{
    return extension.empty() ? std::string() : extension.substr(1);
}

FilePath DefinitionOf(const FilePath& program)
{
    return program.WithExtension(DefinitionExtension);
}

// More than a lone dot.
bool HasExtension(const FilePath& program)
{
    return !AfterDotOf(program.Extension()).empty();
}

// The extension starts with "Quarn" right after its dot, in any letter case.
bool HasHiddenExtension(const FilePath& program)
{
    const std::string afterDot = AfterDotOf(program.Extension());
    return EqualIgnoringCase(std::string_view(afterDot).substr(0, HiddenMark.size()), HiddenMark);
}

// A program without an extension is hidden by the convention of its system
// (a leading dot) under a name whose extension the rule for extensions never
// gives, so that the name maps back to exactly one program and never to the
// definition file: /opt/tools/grep becomes /opt/tools/.grep.hidden-by-Quarn.
constexpr std::string_view DottedMark = ".hidden-by-Quarn";

bool HasDottedHiddenName(const FilePath& program)
{
    const std::string name = program.FileName().Bytes();
    return name.size() > 1 + DottedMark.size() && name.front() == '.' &&
           EqualIgnoringCase(program.Extension(), DottedMark);
}

FilePath HiddenOf(const FilePath& program)
{
    if (!HasExtension(program))
        return program.Folder() + "." + program.FileName().Bytes() + DottedMark;
    const std::string extension = program.Extension();
    return program.WithExtension(DotOf(extension) + std::string(HiddenMark) +
                                 AfterDotOf(extension));
}

FilePath RestoredOf(const FilePath& program)
{
    if (HasDottedHiddenName(program)) {
        const std::string name = program.FileName().Bytes();
        return program.Folder() + name.substr(1, name.size() - 1 - DottedMark.size());
    }
    const std::string extension = program.Extension();
    const std::string afterDot = AfterDotOf(extension);
    return program.WithExtension(DotOf(extension) +
                                 afterDot.substr(std::min(HiddenMark.size(), afterDot.size())));
}

bool HasHiddenName(const FilePath& program)
{
    return HasDottedHiddenName(program) || HasHiddenExtension(program);
}

// A hidden program's definition lies beside the name it was hidden from.
FilePath HideDefinitionOf(const FilePath& program)
{
    return DefinitionOf(HasHiddenName(program) ? RestoredOf(program) : program);
}

} // namespace

HidePaths HidePathsFor(const FilePath& program, const FilePath& editorExecutable)
{
    return {program, HideDefinitionOf(program), LauncherPathFor(editorExecutable),
            HiddenOf(program), RestoredOf(program)};
}

ProgramHider::ProgramHider(Platform& platform, Dialogs& dialogs, QWidget* owner)
    : platform_(platform), dialogs_(dialogs), owner_(owner)
{
}

void ProgramHider::ShowError(const QString& text)
{
    dialogs_.ShowError(owner_, QStringLiteral("Could not hide program"), text);
}

bool ProgramHider::RequireExistingFile(const FilePath& path)
{
    if (platform_.FileExists(path))
        return true;
    ShowError(path.Text() + QStringLiteral("\ndoes not exist"));
    return false;
}

bool ProgramHider::RenameOrReport(const FilePath& from, const FilePath& to)
{
    if (platform_.RenameFile(from, to))
        return true;
    ShowError(QStringLiteral("Could not rename\n") + from.Text() + QStringLiteral("\nas\n") +
              to.Text());
    return false;
}

bool ProgramHider::CopyOrReport(const FilePath& from, const FilePath& to)
{
    if (platform_.CopyFile(from, to))
        return true;
    ShowError(QStringLiteral("Could not copy\n") + from.Text() + QStringLiteral("\nto\n") +
              to.Text());
    return false;
}

bool ProgramHider::CanHide(const HidePaths& paths)
{
    // A definition file as the program would share its path with the
    // definition: the save would overwrite the launcher copy and, after an
    // undo, the file put back.
    if (SamePathName(paths.definition, paths.program)) {
        ShowError(paths.program.Text() +
                  QStringLiteral("\nis a definition file and cannot be hidden"));
        return false;
    }
    return RequireExistingFile(paths.program) && RequireExistingFile(paths.launcher);
}

bool ProgramHider::PutLauncherInPlace(const HidePaths& paths)
{
    if (!RenameOrReport(paths.program, paths.hidden))
        return false;
    if (!CopyOrReport(paths.launcher, paths.program)) {
        RenameOrReport(paths.hidden, paths.program);
        return false;
    }
    return true;
}

bool ProgramHider::PutProgramBack(const HidePaths& paths)
{
    return RemoveLauncherCopy(paths.program, paths.launcher) &&
           RenameOrReport(paths.hidden, paths.program);
}

bool ProgramHider::RemoveLauncherCopy(const FilePath& copy, const FilePath& launcher)
{
    if (!RequireExistingFile(launcher))
        return false;
    if (!platform_.SameFileContent(copy, launcher)) {
        ShowError(copy.Text() + QStringLiteral("\nis not the launcher copy and was left in place"));
        return false;
    }
    // A copy that cannot be deleted makes the rename that follows fail,
    // which then reports it.
    platform_.DeleteFile(copy);
    return true;
}

void ProgramHider::HideFiles(const HidePaths& paths)
{
    platform_.AddHiddenAttribute(paths.hidden);
    platform_.AddHiddenAttribute(paths.definition);
}

bool ProgramHider::RestoreProgram(const HidePaths& paths)
{
    if (!RemoveLauncherCopy(paths.restored, paths.launcher) ||
        !RenameOrReport(paths.program, paths.restored))
        return false;
    platform_.ClearAttributes(paths.restored);
    platform_.ClearAttributes(paths.definition);
    return true;
}

bool ProgramHider::IsHiddenProgram(const FilePath& program)
{
    return HasHiddenName(program) && platform_.FileExists(program) &&
           platform_.FileExists(HideDefinitionOf(program)) &&
           platform_.FileExists(RestoredOf(program));
}
