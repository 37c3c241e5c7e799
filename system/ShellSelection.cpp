#include "system/ShellSelection.h"

#include "system/Platform.h"
#include "system/TextCodec.h"

namespace {

bool IsBlankOrControl(QChar c)
{
    return c.unicode() <= u' ' || c.category() == QChar::Other_Control;
}

QString TrimBlanksAndControls(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && IsBlankOrControl(text.at(first)))
        ++first;
    while (last > first && IsBlankOrControl(text.at(last - 1)))
        --last;
    return text.mid(first, last - first);
}

#ifdef Q_OS_WIN

// A switch starts with "/", with or without a blank before it.
qsizetype SwitchesStart(const QString& shellText)
{
    return shellText.indexOf(QLatin1Char('/'));
}

QString DefaultCommandInterpreter(Platform& platform)
{
    return platform.Environment("COMSPEC").value_or(QString());
}

// The name stays as typed: "cmd.exe /C" opens the dialog on cmd.exe.
FilePath DialogPreset(const FilePath& program, Platform&)
{
    return program;
}

#else

// "/" separates folders here and a switch starts with "-": the switches
// begin at a blank followed by "-", or by "/" as in the front end's "* /C".
qsizetype SwitchesStart(const QString& shellText)
{
    for (qsizetype i = 0; i + 1 < shellText.size(); ++i) {
        const QChar next = shellText.at(i + 1);
        if (shellText.at(i).isSpace() && (next == QLatin1Char('-') || next == QLatin1Char('/')))
            return i;
    }
    return -1;
}

QString DefaultCommandInterpreter(Platform& platform)
{
    // COMSPEC is rarely set here; the user's login shell stands in.
    const QString comspec = platform.Environment("COMSPEC").value_or(QString());
    if (!comspec.isEmpty())
        return comspec;
    return platform.Environment("SHELL").value_or(QString());
}

// A bare name ("bash") is looked up on the search path, so that the dialog
// opens on the program rather than on a name in the current folder.
FilePath DialogPreset(const FilePath& program, Platform& platform)
{
    if (program.IsEmpty() || program.Bytes().find('/') != std::string::npos)
        return program;
    const FilePath found = platform.FindExecutable(program, platform.CurrentDirectory());
    return found.IsEmpty() ? program : found;
}

#endif

} // namespace

FilePath ShellDialogInitialName(const QString& shellText, const TextCodec& codec,
                                Platform& platform)
{
    // The switches of the shell line go; "*" (the front end's default shell)
    // stays and acts as a name pattern in the dialog.
    const QString program = TrimBlanksAndControls(shellText.left(SwitchesStart(shellText)));
    return DialogPreset(program.isEmpty() ? FilePath::FromText(DefaultCommandInterpreter(platform))
                                          : FilePath(codec.Encode(program)),
                        platform);
}
