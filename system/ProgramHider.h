#pragma once

#include "system/FilePath.h"

#include <QString>

class Dialogs;
class Platform;
class QWidget;

// The files of a hide, all derived from the Program field's text.
struct HidePaths
{
    FilePath program;    // the program file as named by the field
    FilePath definition; // beside the program's own name, its extension replaced by ".Quarn"
    FilePath launcher;   // the launcher in the editor's own folder
    // Where the program goes when hidden: "Quarn" inserted after the dot of
    // its extension; a program without one gets a leading dot and the
    // extension ".hidden-by-Quarn".
    FilePath hidden;
    FilePath restored; // where a hidden program goes back: its hidden name undone
};

HidePaths HidePathsFor(const FilePath& program, const FilePath& editorExecutable);

// The file steps of hiding a program behind a copy of the launcher and of
// undoing it. Every step that can fail tells the user in an error box.
class ProgramHider
{
public:
    ProgramHider(Platform& platform, Dialogs& dialogs, QWidget* owner);

    // Each shows its own message when it fails.
    bool RequireExistingFile(const FilePath& path);
    bool RenameOrReport(const FilePath& from, const FilePath& to);
    bool CopyOrReport(const FilePath& from, const FilePath& to);

    // Whether the program can be hidden: it is no definition file, and it
    // and the launcher exist. Touches no file.
    bool CanHide(const HidePaths& paths);
    // Moves the program aside and puts a copy of the launcher under its name.
    // True when the hidden path holds the program and the copy stands at the
    // program's path; on false every file is as it was, or the user was told
    // which one is not.
    bool PutLauncherInPlace(const HidePaths& paths);
    // Takes back PutLauncherInPlace when a later step of the hide failed.
    // False, with the user told why, when the program stays hidden.
    bool PutProgramBack(const HidePaths& paths);
    // Gives the hidden program and its definition file the hidden attribute.
    void HideFiles(const HidePaths& paths);
    // Replaces the launcher copy by the hidden program and clears the
    // attributes. False, with the files and attributes left alone, when the
    // file at the program's name is not a copy of the launcher or the
    // program could not be moved back.
    bool RestoreProgram(const HidePaths& paths);

    // Whether program names a hidden program file whose launcher copy and
    // definition file are in place.
    bool IsHiddenProgram(const FilePath& program);

private:
    void ShowError(const QString& text);
    // Deletes copy only when it holds the launcher's bytes: whatever else
    // stands there (a program updated since the hide) is left in place.
    bool RemoveLauncherCopy(const FilePath& copy, const FilePath& launcher);

    Platform& platform_;
    Dialogs& dialogs_;
    QWidget* owner_;
};
