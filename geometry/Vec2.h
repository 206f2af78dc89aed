#pragma once

// A point or vector of the plane, or any pair of reals (the morph tracks keep
// a length and an angle in one). Operations return new values.
struct Vec2 {
    double x = 0.0;
    double y = 0.0;

    [[nodiscard]] constexpr Vec2 Add(Vec2 other) const { return {x + other.x, y + other.y}; }
    [[nodiscard]] constexpr Vec2 Subtract(Vec2 other) const { return {x - other.x, y - other.y}; }
    [[nodiscard]] constexpr Vec2 Scale(double k) const { return {k * x, k * y}; }

    friend constexpr bool operator==(Vec2, Vec2) = default;
};
