#pragma once

#include "system/ProgramEnd.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>
#include <string>
#include <utility>
#include <vector>

// Runs a command-line program the way a terminal window would: under a
// pseudo-terminal of its own (on Windows: with its output and errors merged
// into one pipe), so that it writes line by line and its output can be shown
// live. One program at a time; the object can start another once Finished
// has come.
//
// A program's process group and whatever is left of it belong to the run:
// Interrupt and Kill end all of it. After a normal end, processes the program
// left behind keep running (their output is no longer passed on) until the
// next Start or the destruction of this object, which end them.
class TerminalProcess : public QObject
{
    Q_OBJECT
public:
    explicit TerminalProcess(QObject* parent = nullptr);
    // Stops everything it started and reaps it; never blocks more than briefly.
    ~TerminalProcess() override;

    // Starts program (a path, used as given: no PATH lookup; a relative one
    // is taken from workingFolder on POSIX systems) with the arguments
    // (argv[1..]; argv[0] is the program path), in workingFolder
    // (empty: the launcher's own current folder), with the launcher's
    // environment plus `environment` (NAME -> value; replaces). TERM is
    // xterm-256color and PAGER and GIT_PAGER are cat unless `environment`
    // says otherwise. All strings are bytes, passed to the system unchanged.
    // False, with the system's reason in *error (as strerror words it: the
    // folder's or the program's problem), when the program could not be
    // started; no Finished follows then.
    bool Start(const std::string& program, const std::vector<std::string>& arguments,
               const std::string& workingFolder,
               const std::vector<std::pair<std::string, std::string>>& environment, QString* error);
    // From a successful Start until Finished is emitted.
    bool IsRunning() const;
    // Types bytes into the terminal, as the program's standard input; kept
    // in order while the terminal cannot take more.
    void Write(const QByteArray& bytes);
    // End of file on the program's input, as Ctrl+D at the start of a line.
    // When the text written last did not end its line, that text is first
    // handed to the program as it is (a first Ctrl+D) and the end of file
    // follows (a second).
    void EndInput();
    // Stop: the first call interrupts the program as Ctrl+C does (SIGINT to
    // its process group and to the terminal's foreground group) and kills it
    // if it has not ended 3 seconds later; a second call kills at once.
    // Once the program has ended, what is left of its process group is killed.
    void Interrupt();
    // Kills the program and everything in its process group at once. The run
    // ends before this returns (Finished is emitted from here), unless the
    // system is slow to let the program die, when Finished follows later.
    void Kill();
    // The terminal's size in character cells, 80x24 until this is called;
    // the running program is told of changes.
    void SetTerminalSize(int columns, int rows);

Q_SIGNALS:
    // What the program wrote, in chunks, in order.
    void OutputReady(const QByteArray& bytes);
    // Once per successful Start, after the last OutputReady.
    void Finished(const ProgramEnd& end);

private:
    class Backend; // the platform's way of running it
    std::unique_ptr<Backend> backend_;
};
