#include "MeasuringSwitches.h"

#include <cstdlib>

#include <QByteArray>

namespace {

// Read on the user-interface thread, before any worker exists; nothing in
// the program changes its environment.
const char* Environment(const char* name)
{
    return std::getenv(name); // NOLINT(concurrency-mt-unsafe)
}

} // namespace

bool MeasuringSwitches::IsSwitchedOn(const char* value)
{
    if (value == nullptr) {
        return false;
    }
    const QByteArray text = QByteArray(value).trimmed().toLower();
    return !text.isEmpty() && text != "0" && text != "false" && text != "no" && text != "off";
}

BackBuffer::Tracking MeasuringSwitches::ChangeTracking()
{
    return IsSwitchedOn(Environment("QUILLBROOK_UNOPTIMISED")) ? BackBuffer::Tracking::Off : BackBuffer::Tracking::On;
}

const char* MeasuringSwitches::FrameLogPath()
{
    return Environment("QUILLBROOK_FRAME_LOG");
}
