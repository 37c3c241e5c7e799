#pragma once

#include <QtGlobal>

// How a run of a program ended.
struct ProgramEnd
{
    bool signalled = false; // ended by a signal
    int exitStatus = 0;     // the exit status, or the signal number when signalled; -1 when
                            // the system could not tell (another part of the process reaped it)
    qint64 elapsedMs = 0;   // from start to end
};
