#pragma once

#include <benchmark/benchmark.h>

// The frame drawn the way a Qt program would without the core's buffer: a
// QPainter on a QImage, the fade as a translucent fill of the background, and
// a pen per segment.
void PainterFrame(benchmark::State& state);
