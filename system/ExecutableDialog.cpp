#include "system/ExecutableDialog.h"

FileDialogSettings ExecutableDialogSettings()
{
    FileDialogSettings settings;
    settings.kind = FileDialogSettings::Kind::Open;
    settings.fileMustExist = true;
#ifdef Q_OS_WIN
    settings.filter = QStringLiteral("Executable files (*.exe *.com *.bat *.cmd);;All files (*)");
    settings.defaultSuffix = QStringLiteral("exe");
#else
    // Programs carry no extension here: every file is shown and a name is
    // taken as it stands.
    settings.filter = QStringLiteral("All files (*)");
#endif
    return settings;
}
