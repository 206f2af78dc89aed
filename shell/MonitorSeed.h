#pragma once

#include <cstddef>
#include <cstdint>

// The seed of the plant on the `index`th monitor of a run that starts from
// `first`: first, first + 1, ..., wrapping past the largest seed rather than
// overflowing.
[[nodiscard]] constexpr std::int32_t MonitorSeed(std::int32_t first, std::size_t index)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(first) + static_cast<std::uint32_t>(index));
}
