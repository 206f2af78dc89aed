#pragma once

#include <cstdint>

#include <QFont>
#include <QRect>

#include "DialogTemplates.h"

// Turns dialog units into pixels from a font's base units, as dialog
// templates are laid out: the base width is the average advance of the 52
// Latin letters, rounded; the base height is the font's height.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    DialogUnits(int baseWidth, int baseHeight) : m_baseWidth(baseWidth), m_baseHeight(baseHeight) {}

    // The font the templates are laid out in.
    [[nodiscard]] static QFont DialogFont();

    [[nodiscard]] int BaseWidth() const { return m_baseWidth; }
    [[nodiscard]] int BaseHeight() const { return m_baseHeight; }

    // Each coordinate is mapped on its own: a quarter of the base width
    // across, an eighth of the base height down, rounded to the nearest
    // pixel (halves away from zero).
    [[nodiscard]] int MapX(int x) const { return MulDiv(x, m_baseWidth, 4); }
    [[nodiscard]] int MapY(int y) const { return MulDiv(y, m_baseHeight, 8); }
    [[nodiscard]] QRect Map(const DialogRect& rect) const;

    // number * numerator / denominator (denominator > 0), with a wide
    // product, rounded to the nearest whole number, halves away from zero.
    [[nodiscard]] static constexpr int MulDiv(int number, int numerator, int denominator)
    {
        const std::int64_t product = std::int64_t{number} * numerator;
        const std::int64_t half = denominator / 2;
        return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
    }

private:
    int m_baseWidth;
    int m_baseHeight;
};
