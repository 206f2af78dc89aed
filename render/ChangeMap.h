#pragma once

#include <cstdint>
#include <vector>

#include "PixelRect.h"

// What a picture's tiles may still do, so that a fade can skip the settled
// ones. A tile is live while a fade may still change it: once a fade under a
// weighted colour leaves none of its pixels where the next fade under that
// colour would move them, no later fade under that colour can change it,
// until something is drawn into it. A tile is touched when any of its pixels
// changed since the changes were last taken: the area that needs repainting.
class ChangeMap {
public:
    static constexpr int kTileWidth = 64;
    static constexpr int kTileHeight = 16;

    ChangeMap(int width, int height);

    [[nodiscard]] int TilesAcross() const { return m_across; }
    [[nodiscard]] int TilesDown() const { return m_down; }
    [[nodiscard]] bool IsLive(int tile) const { return (m_tiles[static_cast<std::size_t>(tile)] & kLive) != 0; }

    // Everything live and touched: a new picture, a fill.
    void MarkAll();
    // Everything live: a new fade colour may move what the old one left.
    void MakeAllLive();
    // Marks the pixels something was drawn at. A copy of what it needs, so a
    // loop over many pixels keeps it in registers.
    class PixelMarker {
    public:
        // Pixel (x, y) lies inside the picture.
        void Mark(int x, int y) const
        {
            const auto column = static_cast<unsigned>(x) / kTileWidth;
            const auto row = static_cast<unsigned>(y) / kTileHeight;
            m_tiles[row * m_across + column] = kLive | kTouched;
        }

    private:
        friend class ChangeMap;
        PixelMarker(std::uint8_t* tiles, std::size_t across) : m_tiles(tiles), m_across(across) {}
        std::uint8_t* m_tiles;
        std::size_t m_across;
    };
    [[nodiscard]] PixelMarker Marker() { return {m_tiles.data(), static_cast<std::size_t>(m_across)}; }
    // What a fade of a tile reported (FadeState bits): live from now on only
    // if unsettled, touched if moved.
    void SetFaded(int tile, std::uint8_t fadeState);

    // The touched tiles as rectangles (runs of tiles along each band of rows,
    // clipped to the picture), and nothing touched afterwards.
    [[nodiscard]] std::vector<PixelRect> TakeTouched();

private:
    static constexpr std::uint8_t kLive = 1;
    static constexpr std::uint8_t kTouched = 2;

    [[nodiscard]] bool IsTouched(std::size_t tile) const { return (m_tiles[tile] & kTouched) != 0; }

    int m_width;
    int m_height;
    int m_across;
    int m_down;
    std::vector<std::uint8_t> m_tiles;
};
