#pragma once

#include <QApplication>
#include <functional>

// The application object of both programs. An error that escapes an event
// handler is shown to the user in a message box and the program goes on,
// as a desktop program's user expects, instead of ending it.
class TApplication : public QApplication
{
public:
    TApplication(int& argc, char** argv);

    // How an error is shown; the default writes it to standard error.
    void SetErrorReport(std::function<void(const QString&)> report);

    bool notify(QObject* receiver, QEvent* event) override;

private:
    std::function<void(const QString&)> report_;
};
