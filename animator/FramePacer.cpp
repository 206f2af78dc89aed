#include "FramePacer.h"

FramePacer::Clock::time_point FramePacer::NextDeadline(Clock::time_point now)
{
    m_deadline += kPeriod;
    if (now - m_deadline > kPeriod) {
        m_deadline = now;
    }
    return m_deadline;
}
