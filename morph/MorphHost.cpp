#include "MorphHost.h"
#include "RuleMorpher.h"

void RunMorphWorker(MorphHost& host)
{
    RuleMorpher morpher;
    FramePacer pacer(host.Now());
    while (!host.StopRequested()) {
        host.StepRules(morpher);
        host.RenderFrame();
        const auto now = host.Now();
        const auto deadline = pacer.NextDeadline(now);
        if (deadline > now) {
            host.WaitUntil(deadline);
        }
    }
}
