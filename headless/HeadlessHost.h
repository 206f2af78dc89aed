#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "geometry/BranchRule.h"
#include "geometry/Segment.h"
#include "morph/MinStdRandom.h"
#include "morph/MorphHost.h"
#include "morph/RuleTrack.h"
#include "render/BackBuffer.h"

// The plant view's part in the morph worker's loop, without a window and
// without real time: the same generator, rules, tracks and frame drawing,
// on a clock that jumps to each deadline instead of sleeping. Stops after a
// given number of frames or when the frame observer asks it to.
class HeadlessHost final : public MorphHost {
public:
    // Sees every frame just drawn, numbered from 0; false stops the run.
    using FrameObserver =
        std::function<bool(long long frame, const BackBuffer& buffer, std::span<const BranchRule> rules)>;

    HeadlessHost(std::int32_t seed, int width, int height, std::uint8_t fade, long long frames);

    void SetFrameObserver(FrameObserver observer) { m_observer = std::move(observer); }

    // False when the picture's memory could not be had.
    [[nodiscard]] bool HasPicture() const { return m_buffer.HasPixels(); }
    [[nodiscard]] const BackBuffer& Picture() const { return m_buffer; }
    [[nodiscard]] std::span<const BranchRule> Rules() const { return m_rules; }
    [[nodiscard]] long long FramesRendered() const { return m_rendered; }
    // True once the observer has stopped the run.
    [[nodiscard]] bool Halted() const { return m_halted; }

    void StepRules(RuleMorpher& morpher) override;
    void RenderFrame() override;
    [[nodiscard]] FramePacer::Clock::time_point Now() override { return m_now; }
    void WaitUntil(FramePacer::Clock::time_point deadline) override { m_now = deadline; }
    [[nodiscard]] bool StopRequested() const override { return m_halted || m_rendered >= m_frames; }

private:
    // As many rules as the window's plant view grows.
    static constexpr int kRuleCount = 4;

    MinStdRandom m_random;
    int m_width;
    int m_height;
    std::uint8_t m_fade;
    long long m_frames;
    BackBuffer m_buffer;
    std::vector<BranchRule> m_rules;
    std::vector<RuleTrack> m_tracks;
    SegmentList m_segments;
    FrameObserver m_observer;
    FramePacer::Clock::time_point m_now{};
    long long m_rendered = 0;
    bool m_halted = false;
};
