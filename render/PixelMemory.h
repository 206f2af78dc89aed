#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

// Memory for a picture's pixels. A buffer's pixels usually live on the heap;
// a window may provide memory of its own instead, such as memory it shares
// with a display server, so that the picture can be shown without a copy.
class PixelMemory {
public:
    PixelMemory() = default;
    virtual ~PixelMemory() = default;
    PixelMemory(const PixelMemory&) = delete;
    PixelMemory& operator=(const PixelMemory&) = delete;

    // At least the number of words asked for, aligned for 32-bit pixels.
    [[nodiscard]] virtual std::uint32_t* Words() = 0;
};

// Makes the memory for `words` pixels; null when there is none to be had.
using PixelAllocator = std::function<std::unique_ptr<PixelMemory>(std::size_t words)>;

// Plain heap memory, or null when it cannot be had.
[[nodiscard]] std::unique_ptr<PixelMemory> HeapPixels(std::size_t words);
