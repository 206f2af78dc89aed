#pragma once

#include "FramePacer.h"

class RuleMorpher;

// What the morph worker's loop drives: the window's plant view with real time
// and a stoppable wait, or a headless renderer or a test with a clock of its own.
class MorphHost {
public:
    virtual ~MorphHost() = default;

    // Advances the morpher over the host's tracks and rules, under whatever
    // lock guards them.
    virtual void StepRules(RuleMorpher& morpher) = 0;
    virtual void RenderFrame() = 0;
    [[nodiscard]] virtual FramePacer::Clock::time_point Now() = 0;
    // Waits until `deadline` or a stop request, whichever comes first.
    virtual void WaitUntil(FramePacer::Clock::time_point deadline) = 0;
    [[nodiscard]] virtual bool StopRequested() const = 0;
    // Holds the worker while frames would go unseen or are paused, until that
    // ends or a stop is requested. A host that always shows its frames keeps
    // this as it is.
    virtual void WaitWhileIdle() {}

protected:
    MorphHost() = default;
    MorphHost(const MorphHost&) = default;
    MorphHost(MorphHost&&) = default;
    MorphHost& operator=(const MorphHost&) = default;
    MorphHost& operator=(MorphHost&&) = default;
};

// The worker's loop: rules, frame, pacing, again and again until a stop is
// requested; the request is honoured before every frame and after every wait.
void RunMorphWorker(MorphHost& host);
