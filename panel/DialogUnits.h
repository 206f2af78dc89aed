#pragma once

#include <QFont>
#include <QRect>

#include "res/DialogTemplates.h"

// Turns dialog units into pixels from a font's base units, as dialog
// templates are laid out: the base width is the average advance of the 52
// Latin letters, rounded; the base height is the font's height.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    // The font the templates are laid out in.
    [[nodiscard]] static QFont DialogFont();

    [[nodiscard]] int BaseWidth() const { return m_baseWidth; }
    [[nodiscard]] int BaseHeight() const { return m_baseHeight; }

    // Each coordinate is mapped on its own and truncated.
    [[nodiscard]] int MapX(int x) const { return x * m_baseWidth / 4; }
    [[nodiscard]] int MapY(int y) const { return y * m_baseHeight / 8; }
    [[nodiscard]] QRect Map(const DialogRect& rect) const;

private:
    int m_baseWidth;
    int m_baseHeight;
};
