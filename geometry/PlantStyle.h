#pragma once

#include "PixelColor.h"
#include "Vec2.h"

// Everything about the plant's look that does not change while it runs.
struct PlantStyle {
    Vec2 trunkStart{0.0, 0.0};
    Vec2 trunkEnd{0.0, 5.0};
    int levels = 5;
    PixelColor trunkColor{0x00FF8000};
    PixelColor tipColor{0x00FFFFFF};
    PixelColor backColor{0x00000080};
};
