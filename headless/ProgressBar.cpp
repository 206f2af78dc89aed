#include "ProgressBar.h"

#include <algorithm>
#include <string>

ProgressBar::ProgressBar(std::ostream& out, long long total, Clock::time_point start)
    : m_out(out), m_total(std::max(total, 1LL)), m_start(start)
{
}

ProgressBar::~ProgressBar()
{
    Finish();
}

void ProgressBar::Update(long long done, Clock::time_point now)
{
    if (now - m_start < kQuiet || (m_drawn && now - m_lastDrawn < kInterval)) {
        return;
    }
    done = std::clamp(done, 0LL, m_total);
    const auto filled = static_cast<int>(done * kWidth / m_total);
    const auto percent = static_cast<int>(done * 100 / m_total);
    std::string line = "\r[";
    line.append(static_cast<std::size_t>(filled), '#');
    line.append(static_cast<std::size_t>(kWidth - filled), '.');
    line += "] " + std::to_string(percent) + "%  " + std::to_string(done) + "/" + std::to_string(m_total) + " frames";
    m_out << line << std::flush;
    m_lineLength = std::max(m_lineLength, line.size() - 1);
    m_lastDrawn = now;
    m_drawn = true;
}

void ProgressBar::Finish()
{
    if (m_drawn) {
        m_out << '\r' << std::string(m_lineLength, ' ') << '\r' << std::flush;
        m_drawn = false;
    }
}
