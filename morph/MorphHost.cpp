#include "MorphHost.h"

#include <exception>
#include <iostream>
#include <string>

#include "RuleMorpher.h"

void RunMorphWorker(MorphHost& host)
{
    RuleMorpher morpher;
    FramePacer pacer(host.Now());
    std::string lastFailure;
    while (true) {
        host.WaitWhileIdle();
        if (host.StopRequested()) {
            break;
        }
        // A frame that fails (out of memory, say) must not end the animation
        // silently: say so once, on one line, and go on with the next frame.
        try {
            host.StepRules(morpher);
            host.RenderFrame();
        } catch (const std::exception& failure) {
            if (lastFailure != failure.what()) {
                lastFailure = failure.what();
                std::cerr << "quillbrook: a frame failed and was skipped: " << lastFailure << '\n';
            }
        }
        const auto now = host.Now();
        const auto deadline = pacer.NextDeadline(now);
        if (deadline > now) {
            host.WaitUntil(deadline);
        }
    }
}
