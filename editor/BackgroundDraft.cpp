#include "editor/BackgroundDraft.h"

#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <thread>

ProgramDraft DraftInBackground(const std::string& program, std::optional<HelpSource> source)
{
    ProgramDraft draft;
    QEventLoop loop;
    std::thread worker([&draft, &loop, program, source] {
        draft = DraftFromProgram(program, source);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    // Also left when the application quits; the draft is waited for all the same.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker.join();
    QGuiApplication::restoreOverrideCursor();
    return draft;
}
