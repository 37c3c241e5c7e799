#include "system/ShellSelection.h"

#include "system/Platform.h"

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

QString DefaultCommandInterpreter(Platform& platform)
{
    const QString comspec = platform.Environment("COMSPEC").value_or(QString());
#ifdef Q_OS_WIN
    return comspec;
#else
    // Outside Windows COMSPEC is rarely set; the user's login shell stands in.
    if (!comspec.isEmpty())
        return comspec;
    return platform.Environment("SHELL").value_or(QString());
#endif
}

} // namespace

QString ShellDialogInitialName(const QString& shellText, Platform& platform)
{
    // The switches of the shell line go; "*" (the front end's default shell)
    // stays and acts as a name pattern in the dialog.
    const QString program = TrimBlanksAndControls(shellText.section(QLatin1Char('/'), 0, 0));
    if (!program.isEmpty())
        return program;
    return DefaultCommandInterpreter(platform);
}
