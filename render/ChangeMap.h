#pragma once

#include <cstdint>
#include <vector>

#include "PixelRect.h"

// What a picture's tiles may still do, so that a fade can skip the settled
// ones. A tile is live while a fade may still change it: one fade under a
// weighted colour that changed none of its pixels means no later fade under
// that same colour can, until something is drawn into it. A tile is touched
// when any of its pixels changed since the changes were last taken: the area
// that needs repainting.
class ChangeMap {
public:
    static constexpr int kTileWidth = 64;
    static constexpr int kTileHeight = 16;

    ChangeMap(int width, int height);

    [[nodiscard]] int TilesAcross() const { return m_across; }
    [[nodiscard]] int TilesDown() const { return m_down; }
    [[nodiscard]] bool IsLive(int tile) const { return m_live[static_cast<std::size_t>(tile)] != 0; }

    // Everything live and touched: a new picture, a fill.
    void MarkAll();
    // Everything live: a new fade colour may move what the old one left.
    void MakeAllLive();
    // Something was drawn at pixel (x, y), which lies inside the picture.
    void MarkPixel(int x, int y)
    {
        const std::size_t tile = static_cast<std::size_t>(y / kTileHeight) * static_cast<std::size_t>(m_across) +
                                 static_cast<std::size_t>(x / kTileWidth);
        m_live[tile] = 1;
        m_touched[tile] = 1;
    }
    // The result of fading a tile: live from now on only if it changed.
    void SetFaded(int tile, bool changed);

    // The touched tiles as rectangles (runs of tiles along each band of rows,
    // clipped to the picture), and nothing touched afterwards.
    [[nodiscard]] std::vector<PixelRect> TakeTouched();

private:
    int m_width;
    int m_height;
    int m_across;
    int m_down;
    std::vector<std::uint8_t> m_live;
    std::vector<std::uint8_t> m_touched;
};
