#pragma once

#include <chrono>
#include <functional>
#include <vector>

#include "morph/MinStdRandom.h"
#include "morph/MorphHost.h"
#include "morph/RuleMorpher.h"

// A morph host with a clock of its own: rendering takes `renderTime` of
// fake time, waiting jumps the clock to the deadline, and the run stops after
// `frames` frames. Records what each frame saw.
class MorphTestHost final : public MorphHost {
public:
    using Clock = FramePacer::Clock;

    MorphTestHost(std::int32_t seed, int ruleCount, int frames)
        : m_random(seed), m_ruleCount(ruleCount), m_frames(frames)
    {
    }

    void StepRules(RuleMorpher& morpher) override
    {
        frameStarts.push_back(m_now);
        morpher.Advance(tracks, m_rules, m_ruleCount, [this] { return m_random.Uniform(); });
        if (morpher.FrameIndex() == 1) {
            tracksByCycle.push_back(tracks);
        }
    }
    void RenderFrame() override
    {
        rulesByFrame.push_back(m_rules);
        if (onRender) {
            onRender(m_rules);
        }
        m_now += renderTime(static_cast<int>(rulesByFrame.size()) - 1);
    }
    [[nodiscard]] Clock::time_point Now() override { return m_now; }
    void WaitUntil(Clock::time_point deadline) override
    {
        ++waits;
        m_now = deadline;
    }
    [[nodiscard]] bool StopRequested() const override { return static_cast<int>(rulesByFrame.size()) >= m_frames; }

    std::function<Clock::duration(int frame)> renderTime = [](int) { return std::chrono::milliseconds(5); };
    std::function<void(const std::vector<BranchRule>&)> onRender;
    std::vector<RuleTrack> tracks;
    std::vector<std::vector<RuleTrack>> tracksByCycle;
    std::vector<std::vector<BranchRule>> rulesByFrame;
    std::vector<Clock::time_point> frameStarts;
    int waits = 0;

private:
    MinStdRandom m_random;
    int m_ruleCount;
    int m_frames;
    std::vector<BranchRule> m_rules;
    Clock::time_point m_now{std::chrono::seconds(1000)};
};
