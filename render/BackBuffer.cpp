#include "BackBuffer.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <limits>
#include <new>
#include <utility>

#include "FadeKernel.h"
#include "Int128.h"

namespace {

// Width rounded up to a multiple of 4 pixels; 0 when there is no such int.
int StrideFor(int width)
{
    if (width <= 0 || width > std::numeric_limits<int>::max() - 3) {
        return 0;
    }
    return (width + 3) / 4 * 4;
}

#ifdef __SIZEOF_INT128__
__extension__ using Wide = __int128;
#else
using Wide = Int128;
#endif

// Floor and ceiling of n / d for d > 0.
Wide FloorDiv(Wide n, Wide d)
{
    const Wide q = n / d;
    return (n % d != 0 && n < 0) ? q - 1 : q;
}

Wide CeilDiv(Wide n, Wide d)
{
    const Wide q = n / d;
    return (n % d != 0 && n > 0) ? q + 1 : q;
}

} // namespace

BackBuffer::BackBuffer(int width, int height, Tracking tracking, const PixelAllocator& allocate)
    : m_width(width), m_height(height), m_stride(StrideFor(width)), m_tracking(tracking), m_changes(0, 0)
{
    if (m_stride == 0 || height <= 0) {
        return;
    }
    const auto words = static_cast<std::uint64_t>(m_stride) * static_cast<std::uint64_t>(height);
    if (words > std::numeric_limits<std::size_t>::max() / sizeof(std::uint32_t)) {
        return;
    }
    // Left uninitialised: every new buffer is filled at once by its owner.
    m_memory = allocate(static_cast<std::size_t>(words));
    m_bits = m_memory ? m_memory->Words() : nullptr;
    // Tiles only for a picture that has pixels: without them nothing changes.
    if (m_bits) {
        m_changes = ChangeMap(width, height);
    }
}

BackBuffer::~BackBuffer() = default;

namespace {

class HeapMemory final : public PixelMemory {
public:
    explicit HeapMemory(std::unique_ptr<std::uint32_t[]> words) : m_words(std::move(words)) {}
    [[nodiscard]] std::uint32_t* Words() override { return m_words.get(); }

private:
    std::unique_ptr<std::uint32_t[]> m_words;
};

} // namespace

std::unique_ptr<PixelMemory> HeapPixels(std::size_t words)
{
    std::unique_ptr<std::uint32_t[]> memory(new (std::nothrow) std::uint32_t[words]);
    if (!memory) {
        return nullptr;
    }
    return std::make_unique<HeapMemory>(std::move(memory));
}

PixelRect BackBuffer::Clip(int x, int y, int width, int height) const
{
    if (!m_bits || width <= 0 || height <= 0) {
        return {};
    }
    const auto clampTo = [](std::int64_t v, int limit) {
        return static_cast<int>(std::clamp<std::int64_t>(v, 0, limit));
    };
    return {clampTo(x, m_width), clampTo(y, m_height), clampTo(static_cast<std::int64_t>(x) + width, m_width),
            clampTo(static_cast<std::int64_t>(y) + height, m_height)};
}

std::uint32_t* BackBuffer::Row(int y) const
{
    return m_bits + static_cast<std::size_t>(y) * static_cast<std::size_t>(m_stride);
}

void BackBuffer::Fade(std::uint32_t weightedColor, int x, int y, int width, int height)
{
    const PixelRect span = Clip(x, y, width, height);
    if (span.IsEmpty()) {
        return;
    }
    if (m_tracking == Tracking::Off || span != PixelRect{0, 0, m_width, m_height}) {
        // Part of the picture: what settles there is not worth tracking.
        std::uint8_t state = 0;
        const auto width = static_cast<std::size_t>(span.right - span.left);
        FadeChunks({Row(span.top) + span.left, static_cast<std::size_t>(m_stride), width,
                    static_cast<std::size_t>(span.bottom - span.top)},
                   weightedColor, width, &state);
        m_changes.MarkAll();
        m_settledKnown = false;
        return;
    }
    if (!m_settledKnown || weightedColor != m_settledFor) {
        m_changes.MakeAllLive();
        m_settledFor = weightedColor;
        m_settledKnown = true;
    }
    // A band of tiles at a time, each run of live tiles in one call.
    const int across = m_changes.TilesAcross();
    m_tileStates.resize(static_cast<std::size_t>(across));
    for (int down = 0; down < m_changes.TilesDown(); ++down) {
        const int firstTile = down * across;
        m_liveRuns.clear();
        for (int column = 0; column < across;) {
            if (!m_changes.IsLive(firstTile + column)) {
                ++column;
                continue;
            }
            const int first = column;
            while (column < across && m_changes.IsLive(firstTile + column)) {
                ++column;
            }
            m_liveRuns.push_back({first, column});
        }
        const int top = down * ChangeMap::kTileHeight;
        const int bottom = std::min(top + ChangeMap::kTileHeight, m_height);
        std::fill(m_tileStates.begin(), m_tileStates.end(), 0);
        for (const TileRun& run : m_liveRuns) {
            const int left = run.first * ChangeMap::kTileWidth;
            const int right = std::min(run.end * ChangeMap::kTileWidth, m_width);
            const PixelBlock block{Row(top) + left, static_cast<std::size_t>(m_stride),
                                   static_cast<std::size_t>(right - left), static_cast<std::size_t>(bottom - top)};
            FadeChunks(block, weightedColor, ChangeMap::kTileWidth, m_tileStates.data() + run.first);
        }
        for (const TileRun& run : m_liveRuns) {
            for (int column = run.first; column < run.end; ++column) {
                m_changes.SetFaded(firstTile + column, m_tileStates[static_cast<std::size_t>(column)]);
            }
        }
    }
}

void BackBuffer::FillRect(PixelColor color, int x, int y, int width, int height)
{
    const PixelRect span = Clip(x, y, width, height);
    if (span.IsEmpty()) {
        return;
    }
    const auto count = static_cast<std::size_t>(span.right - span.left);
    for (int row = span.top; row < span.bottom; ++row) {
        std::fill_n(Row(row) + span.left, count, kOpaque | color.value);
    }
    m_changes.MarkAll();
}

std::vector<PixelRect> BackBuffer::TakeChangedArea()
{
    std::vector<PixelRect> changed = m_changes.TakeTouched();
    if (m_tracking == Tracking::Off && m_bits) {
        return {PixelRect{0, 0, m_width, m_height}};
    }
    return changed;
}

// Bresenham along the major axis: pixel i (0 <= i < M, M the major length)
// sits i steps along the major axis and k_i = floor((2*i*m + M) / (2*M))
// steps along the minor one (m the minor length). Clipping narrows i to the
// steps whose pixel lies inside, then starts the error term at the first of
// them, so a clipped line keeps the unclipped line's pixels exactly. The entry
// arithmetic is 128-bit: end points anywhere in the int range cannot overflow.
void BackBuffer::DrawLine(int x0, int y0, int x1, int y1, PixelColor color)
{
    if (!m_bits) {
        return;
    }
    const std::int64_t dx = static_cast<std::int64_t>(x1) - x0;
    const std::int64_t dy = static_cast<std::int64_t>(y1) - y0;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const std::int64_t major = xMajor ? std::llabs(dx) : std::llabs(dy);
    const std::int64_t minor = xMajor ? std::llabs(dy) : std::llabs(dx);
    if (major == 0) {
        return; // the start pixel is the end pixel, which is left out
    }
    const std::int64_t majorStart = xMajor ? x0 : y0;
    const std::int64_t minorStart = xMajor ? y0 : x0;
    const int majorSign = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const int minorSign = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const std::int64_t majorLimit = xMajor ? m_width : m_height;
    const std::int64_t minorLimit = xMajor ? m_height : m_width;

    // A line between two pixels of the picture lies wholly inside it; only
    // the others need the clipping arithmetic.
    std::int64_t first = 0;
    std::int64_t last = major - 1;
    std::int64_t k = 0;
    std::int64_t error = major; // 2 * first * minor + major, less whole steps
    const auto inside = [this](int x, int y) { return x >= 0 && x < m_width && y >= 0 && y < m_height; };
    if (!inside(x0, y0) || !inside(x1, y1)) {
        // Steps i whose major coordinate lies in 0..majorLimit-1.
        Wide from = 0;
        Wide to = major - 1;
        if (majorSign > 0) {
            from = std::max<Wide>(from, -majorStart);
            to = std::min<Wide>(to, majorLimit - 1 - majorStart);
        } else {
            from = std::max<Wide>(from, majorStart - (majorLimit - 1));
            to = std::min<Wide>(to, majorStart);
        }
        // Minor offsets k allowed by 0..minorLimit-1, turned into steps i.
        const Wide kLow = minorSign > 0 ? -minorStart : minorStart - (minorLimit - 1);
        const Wide kHigh = minorSign > 0 ? minorLimit - 1 - minorStart : minorStart;
        if (minor == 0) {
            if (kLow > 0 || kHigh < 0) {
                return;
            }
        } else {
            from = std::max<Wide>(from, CeilDiv(2 * Wide{major} * kLow - major, 2 * Wide{minor}));
            to = std::min<Wide>(to, CeilDiv(2 * Wide{major} * (kHigh + 1) - major, 2 * Wide{minor}) - 1);
        }
        if (from > to) {
            return;
        }
        const Wide numerator = 2 * from * minor + major;
        first = static_cast<std::int64_t>(from);
        last = static_cast<std::int64_t>(to);
        k = static_cast<std::int64_t>(FloorDiv(numerator, 2 * Wide{major}));
        error = static_cast<std::int64_t>(numerator - Wide{k} * 2 * major);
    }

    // From here on every coordinate lies inside the picture.
    const auto majorCoord = static_cast<int>(majorStart + majorSign * first);
    const auto minorCoord = static_cast<int>(minorStart + minorSign * k);
    int x = xMajor ? majorCoord : minorCoord;
    int y = xMajor ? minorCoord : majorCoord;
    const int majorX = xMajor ? majorSign : 0;
    const int majorY = xMajor ? 0 : majorSign;
    const int minorX = xMajor ? 0 : minorSign;
    const int minorY = xMajor ? minorSign : 0;

    // Locals throughout: a byte store may alias anything, so members would be
    // read again after every pixel.
    const std::uint32_t value = kOpaque | color.value;
    std::uint32_t* const bits = m_bits;
    const auto stride = static_cast<std::size_t>(m_stride);
    const ChangeMap::PixelMarker marker = m_changes.Marker();
    const std::int64_t twoMinor = 2 * minor;
    const std::int64_t twoMajor = 2 * major;
    const int diagonalX = majorX + minorX;
    const int diagonalY = majorY + minorY;
    for (std::int64_t steps = last - first;; --steps) {
        bits[static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x)] = value;
        marker.Mark(x, y);
        if (steps == 0) {
            break;
        }
        // Whether the minor coordinate moves follows the slope, not a pattern
        // a branch predictor could learn: selected, not branched on.
        error += twoMinor;
        const bool carry = error >= twoMajor;
        error = carry ? error - twoMajor : error;
        x += carry ? diagonalX : majorX;
        y += carry ? diagonalY : majorY;
    }
}
