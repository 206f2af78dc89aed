#include "ChangeMap.h"

#include <algorithm>

#include "FadeKernel.h"

namespace {

int TilesFor(int pixels, int tile)
{
    return pixels <= 0 ? 0 : (pixels - 1) / tile + 1;
}

} // namespace

ChangeMap::ChangeMap(int width, int height)
    : m_width(std::max(width, 0)), m_height(std::max(height, 0)), m_across(TilesFor(width, kTileWidth)),
      m_down(TilesFor(height, kTileHeight)),
      m_tiles(static_cast<std::size_t>(m_across) * static_cast<std::size_t>(m_down), kLive | kTouched)
{
}

void ChangeMap::MarkAll()
{
    std::fill(m_tiles.begin(), m_tiles.end(), kLive | kTouched);
}

void ChangeMap::MakeAllLive()
{
    for (std::uint8_t& tile : m_tiles) {
        tile |= kLive;
    }
}

void ChangeMap::SetFaded(int tile, std::uint8_t fadeState)
{
    std::uint8_t& state = m_tiles[static_cast<std::size_t>(tile)];
    const bool touched = (state & kTouched) != 0 || (fadeState & kFadeMoved) != 0;
    state = static_cast<std::uint8_t>(((fadeState & kFadeUnsettled) != 0 ? kLive : 0) | (touched ? kTouched : 0));
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
            if (!IsTouched(at(column))) {
                ++column;
                continue;
            }
            const int first = column;
            while (column < m_across && IsTouched(at(column))) {
                m_tiles[at(column)] &= static_cast<std::uint8_t>(~kTouched);
                ++column;
            }
            touched.push_back({first * kTileWidth, top, std::min(column * kTileWidth, m_width), bottom});
        }
    }
    return touched;
}
