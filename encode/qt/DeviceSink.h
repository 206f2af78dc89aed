#pragma once

#include "ByteSink.h"

class QIODevice;

// The bytes written to `device`, which must outlive the sink: taken only
// when the device took every one.
[[nodiscard]] ByteSink DeviceSink(QIODevice& device);
