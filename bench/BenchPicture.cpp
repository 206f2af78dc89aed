#include "BenchPicture.h"

#include "MinStdRandom.h"
#include "PixelColor.h"

BenchPicture::BenchPicture(benchmark::State& state)
    : m_buffer(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)))
{
    if (!m_buffer.HasPixels()) {
        state.SkipWithError("no memory for the picture");
        return;
    }
    // Red runs across, green down, blue is noise. The padding is filled as
    // well, so that a copy of the whole memory never reads unset bytes.
    MinStdRandom noise(1);
    const int width = m_buffer.Width();
    const int height = m_buffer.Height();
    std::uint32_t* pixel = m_buffer.Bits();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < m_buffer.Stride(); ++x) {
            *pixel++ = PixelColor::FromBytes(static_cast<std::uint8_t>(x * 256 / width),
                                             static_cast<std::uint8_t>(y * 256 / height),
                                             static_cast<std::uint8_t>(noise.Next()))
                           .value;
        }
    }
}

std::size_t BenchPicture::Bytes() const
{
    return static_cast<std::size_t>(m_buffer.Width()) * static_cast<std::size_t>(m_buffer.Height()) *
           sizeof(std::uint32_t);
}

void BenchPicture::Run(benchmark::State& state, const Pass& pass)
{
    std::int64_t index = 0;
    for (auto _ : state) {
        pass(m_buffer, index++);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(Bytes()));
}
