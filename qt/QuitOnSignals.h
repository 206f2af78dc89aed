#pragma once

#include "ThreadWake.h"

// While one exists, SIGTERM, SIGINT and SIGHUP end the program in order:
// the event loop quits, the windows close, the worker threads stop, and the
// program ends with status 0, as a screensaver daemon expects of a hack it
// stops. The handler only wakes the event loop; everything else runs there.
class QuitOnSignals {
public:
    QuitOnSignals();
    ~QuitOnSignals();
    QuitOnSignals(const QuitOnSignals&) = delete;
    QuitOnSignals& operator=(const QuitOnSignals&) = delete;

private:
    ThreadWake m_wake;
};
