#include "HeadlessHost.h"

#include "morph/RuleMorpher.h"
#include "render/DrawFrame.h"
#include "render/PlantStyle.h"

HeadlessHost::HeadlessHost(std::int32_t seed, int width, int height, std::uint8_t fade, long long frames)
    : m_random(seed), m_width(width), m_height(height), m_fade(fade), m_frames(frames), m_buffer(width, height)
{
    // A new buffer starts as the background, as every buffer of the view does.
    m_buffer.FillRect(PlantStyle{}.backColor, 0, 0, width, height);
}

void HeadlessHost::StepRules(RuleMorpher& morpher)
{
    morpher.Advance(m_tracks, m_rules, kRuleCount, [this] { return m_random.Uniform(); });
}

void HeadlessHost::RenderFrame()
{
    DrawFrame(m_buffer, m_width, m_height, m_rules, PlantStyle{}, m_fade, m_segments);
    const long long frame = m_rendered++;
    if (m_observer && !m_observer(frame, m_buffer, m_rules)) {
        m_halted = true;
    }
}
