#include "ChangeMap.h"

#include <algorithm>

namespace {

int TilesFor(int pixels, int tile)
{
    return pixels <= 0 ? 0 : (pixels - 1) / tile + 1;
}

} // namespace

ChangeMap::ChangeMap(int width, int height)
    : m_width(std::max(width, 0)), m_height(std::max(height, 0)), m_across(TilesFor(width, kTileWidth)),
      m_down(TilesFor(height, kTileHeight)),
      m_live(static_cast<std::size_t>(m_across) * static_cast<std::size_t>(m_down), 1), m_touched(m_live.size(), 1)
{
}

void ChangeMap::MarkAll()
{
    std::fill(m_live.begin(), m_live.end(), 1);
    std::fill(m_touched.begin(), m_touched.end(), 1);
}

void ChangeMap::MakeAllLive()
{
    std::fill(m_live.begin(), m_live.end(), 1);
}

void ChangeMap::SetFaded(int tile, bool changed)
{
    const auto index = static_cast<std::size_t>(tile);
    m_live[index] = changed ? 1 : 0;
    m_touched[index] |= changed ? 1 : 0;
}

std::vector<PixelRect> ChangeMap::TakeTouched()
{
    std::vector<PixelRect> touched;
    for (int row = 0; row < m_down; ++row) {
        const int top = row * kTileHeight;
        const int bottom = std::min(top + kTileHeight, m_height);
        for (int column = 0; column < m_across;) {
            const auto at = [&](int c) {
                return static_cast<std::size_t>(row) * static_cast<std::size_t>(m_across) + static_cast<std::size_t>(c);
            };
            if (m_touched[at(column)] == 0) {
                ++column;
                continue;
            }
            const int first = column;
            while (column < m_across && m_touched[at(column)] != 0) {
                m_touched[at(column)] = 0;
                ++column;
            }
            touched.push_back({first * kTileWidth, top, std::min(column * kTileWidth, m_width), bottom});
        }
    }
    return touched;
}
