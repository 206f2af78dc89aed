#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include <benchmark/benchmark.h>

#include "BackBuffer.h"

// What the pixel cases share: a back buffer of the case's size (its two
// arguments, width and height) holding a picture of varied bytes, and the
// timed loop over it.
class BenchPicture {
public:
    // The pass of one iteration, handed the buffer and the iteration's index.
    using Pass = std::function<void(BackBuffer&, std::int64_t)>;

    // A buffer that cannot be allocated skips the case with an error.
    explicit BenchPicture(benchmark::State& state);

    [[nodiscard]] BackBuffer& Buffer() { return m_buffer; }
    // The picture's own pixels in bytes, stride padding left out.
    [[nodiscard]] std::size_t Bytes() const;

    // Times `pass` once per iteration and counts Bytes() as processed by each.
    void Run(benchmark::State& state, const Pass& pass);

private:
    BackBuffer m_buffer;
};
