#include "launcher/RunSession.h"

#include "launcher/OutputView.h"
#include "system/FileNameCodec.h"
#include "system/TerminalProcess.h"

#include <cstring>

namespace {

QString Duration(qint64 milliseconds)
{
    if (milliseconds < 60000)
        return QStringLiteral("%1 s").arg(static_cast<double>(milliseconds) / 1000.0, 0, 'f',
                                          milliseconds < 10000 ? 2 : 1);
    const qint64 seconds = milliseconds / 1000;
    return QStringLiteral("%1 min %2 s")
        .arg(seconds / 60)
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString SignalName(int signal)
{
#ifdef Q_OS_WIN
    Q_UNUSED(signal);
    return QString();
#else
    const char* name = strsignal(signal);
    return name ? QStringLiteral(" (%1)").arg(QString::fromLocal8Bit(name)) : QString();
#endif
}

} // namespace

RunSession::RunSession(OutputView& output, QObject* parent)
    : QObject(parent), output_(output), process_(std::make_unique<TerminalProcess>())
{
    connect(&output_, &OutputView::SizeInCellsChanged, this, &RunSession::SizeInCellsChanged);
    connect(process_.get(), &TerminalProcess::OutputReady, this, &RunSession::OutputReady);
    connect(process_.get(), &TerminalProcess::Finished, this, &RunSession::ProgramFinished);
}

RunSession::~RunSession() = default;

bool RunSession::Start(const CommandLine& command, QString* error)
{
    if (IsRunning())
        return false;
    process_->SetTerminalSize(output_.Columns(), output_.Rows());
    output_.Clear();
    output_.AppendNote(QStringLiteral("Running ") +
                       DecodeFileName(QByteArray::fromStdString(CommandText(command))));
    QString reason;
    if (!process_->Start(command.program, command.arguments, command.workingFolder, {}, &reason)) {
        output_.AppendNote(QStringLiteral("Could not start: ") + reason);
        if (error)
            *error = reason;
        return false;
    }
    Q_EMIT RunningChanged(true);
    return true;
}

bool RunSession::IsRunning() const
{
    return process_->IsRunning();
}

void RunSession::Stop()
{
    if (IsRunning())
        process_->Interrupt();
}

void RunSession::SendInput(const QByteArray& bytes)
{
    if (IsRunning())
        process_->Write(bytes);
}

void RunSession::EndInput()
{
    if (IsRunning())
        process_->EndInput();
}

QString RunSession::EndText(const ProgramEnd& end)
{
    const QString after = QStringLiteral(" after ") + Duration(end.elapsedMs);
    if (end.signalled)
        return QStringLiteral("Ended by signal %1%2")
                   .arg(end.exitStatus)
                   .arg(SignalName(end.exitStatus)) +
               after;
    return QStringLiteral("Exited with status %1").arg(end.exitStatus) + after;
}

void RunSession::OutputReady(const QByteArray& bytes)
{
    output_.AppendBytes(bytes.constData(), bytes.size());
}

void RunSession::ProgramFinished(const ProgramEnd& end)
{
    const QString text = EndText(end);
    output_.AppendNote(text);
    Q_EMIT RunningChanged(false);
    Q_EMIT Ended(text);
}

void RunSession::SizeInCellsChanged(int columns, int rows)
{
    process_->SetTerminalSize(columns, rows);
}
