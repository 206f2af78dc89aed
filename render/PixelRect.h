#pragma once

#include <algorithm>

// A rectangle of pixels: left and top inclusive, right and bottom exclusive.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    [[nodiscard]] constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
    friend constexpr bool operator==(const PixelRect&, const PixelRect&) = default;

    // The part of this inside `bounds`; empty when there is none.
    [[nodiscard]] constexpr PixelRect CutTo(const PixelRect& bounds) const
    {
        return {std::max(left, bounds.left), std::max(top, bounds.top), std::min(right, bounds.right),
                std::min(bottom, bounds.bottom)};
    }
};
