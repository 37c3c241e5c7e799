#include "system/ProgramHider.h"

#include "system/Dialogs.h"
#include "system/Launcher.h"
#include "system/PathNames.h"
#include "system/Platform.h"

namespace {

const QString DefinitionExtension = QStringLiteral(".Quarn");
// Inserted after the extension's dot to name the hidden program file; its
// length is what the undo takes out again.
const QString HiddenMark = QStringLiteral("Quarn");

// The extension split at its dot: the dot (if any) and what follows it.
QString DotOf(const QString& extension)
{
    return extension.left(1);
}

QString AfterDotOf(const QString& extension)
{
    return extension.mid(1);
}

QString DefinitionOf(const QString& program)
{
    return WithExtension(program, DefinitionExtension);
}

// More than a lone dot.
bool HasExtension(const QString& program)
{
    return AfterDotOf(ExtensionPartOf(program)).size() > 0;
}

// The extension starts with "Quarn" right after its dot, in any letter case.
bool HasHiddenExtension(const QString& program)
{
    return AfterDotOf(ExtensionPartOf(program)).startsWith(HiddenMark, Qt::CaseInsensitive);
}

// A program without an extension is hidden by the convention of its system
// (a leading dot) under a name whose extension the rule for extensions never
// gives, so that the name maps back to exactly one program and never to the
// definition file: /opt/tools/grep becomes /opt/tools/.grep.hidden-by-Quarn.
const QString DottedMark = QStringLiteral(".hidden-by-Quarn");

bool HasDottedHiddenName(const QString& program)
{
    const QString name = FileNamePartOf(program);
    return name.size() > 1 + DottedMark.size() && name.startsWith(QLatin1Char('.')) &&
           ExtensionPartOf(program).compare(DottedMark, Qt::CaseInsensitive) == 0;
}

QString HiddenOf(const QString& program)
{
    if (!HasExtension(program))
        return FolderPartOf(program) + QLatin1Char('.') + FileNamePartOf(program) + DottedMark;
    const QString extension = ExtensionPartOf(program);
    return WithExtension(program, DotOf(extension) + HiddenMark + AfterDotOf(extension));
}

QString RestoredOf(const QString& program)
{
    if (HasDottedHiddenName(program)) {
        const QString name = FileNamePartOf(program);
        return FolderPartOf(program) + name.mid(1, name.size() - 1 - DottedMark.size());
    }
    const QString extension = ExtensionPartOf(program);
    return WithExtension(program, DotOf(extension) + AfterDotOf(extension).mid(HiddenMark.size()));
}

bool HasHiddenName(const QString& program)
{
    return HasDottedHiddenName(program) || HasHiddenExtension(program);
}

// A hidden program's definition lies beside the name it was hidden from.
QString HideDefinitionOf(const QString& program)
{
    return DefinitionOf(HasHiddenName(program) ? RestoredOf(program) : program);
}

} // namespace

HidePaths HidePathsFor(const QString& program, const QString& editorExecutable)
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

bool ProgramHider::RequireExistingFile(const QString& path)
{
    if (platform_.FileExists(path))
        return true;
    ShowError(path + QStringLiteral("\ndoes not exist"));
    return false;
}

bool ProgramHider::RenameOrReport(const QString& from, const QString& to)
{
    if (platform_.RenameFile(from, to))
        return true;
    ShowError(QStringLiteral("Could not rename\n") + from + QStringLiteral("\nas\n") + to);
    return false;
}

bool ProgramHider::CopyOrReport(const QString& from, const QString& to)
{
    if (platform_.CopyFile(from, to))
        return true;
    ShowError(QStringLiteral("Could not copy\n") + from + QStringLiteral("\nto\n") + to);
    return false;
}

bool ProgramHider::CanHide(const HidePaths& paths)
{
    // A definition file as the program would share its path with the
    // definition: the save would overwrite the launcher copy and, after an
    // undo, the file put back.
    if (SamePathName(paths.definition, paths.program)) {
        ShowError(paths.program + QStringLiteral("\nis a definition file and cannot be hidden"));
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

bool ProgramHider::RemoveLauncherCopy(const QString& copy, const QString& launcher)
{
    if (!RequireExistingFile(launcher))
        return false;
    if (!platform_.SameFileContent(copy, launcher)) {
        ShowError(copy + QStringLiteral("\nis not the launcher copy and was left in place"));
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

bool ProgramHider::IsHiddenProgram(const QString& program)
{
    return HasHiddenName(program) && platform_.FileExists(program) &&
           platform_.FileExists(HideDefinitionOf(program)) &&
           platform_.FileExists(RestoredOf(program));
}
