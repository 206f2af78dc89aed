#pragma once

// A rectangle of pixels: left and top inclusive, right and bottom exclusive.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    [[nodiscard]] constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
    friend constexpr bool operator==(const PixelRect&, const PixelRect&) = default;
};
