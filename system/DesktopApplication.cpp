#include "system/DesktopApplication.h"

#include <cstdio>
#include <exception>

TApplication::TApplication(int& argc, char** argv)
    : QApplication(argc, argv),
      report_([](const QString& text) { std::fprintf(stderr, "%s\n", qPrintable(text)); })
{
}

void TApplication::SetErrorReport(std::function<void(const QString&)> report)
{
    report_ = std::move(report);
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        report_(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        report_(QStringLiteral("Unknown error"));
    }
    return false;
}
