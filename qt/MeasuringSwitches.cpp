#include "MeasuringSwitches.h"

#include <cstdlib>
#include <iostream>

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

MeasuringSwitches::Presentation MeasuringSwitches::PresentationChoice()
{
    return PresentationFrom(Environment("QUILLBROOK_PRESENT"));
}

MeasuringSwitches::Presentation MeasuringSwitches::PresentationFrom(const char* value)
{
    const QByteArray text = QByteArray(value).trimmed().toLower();
    if (text == "qt") {
        return Presentation::Qt;
    }
    if (text == "direct") {
        return Presentation::Direct;
    }
    if (!text.isEmpty() && text != "auto") {
        std::cerr << "quillbrook: QUILLBROOK_PRESENT is qt, direct or auto, not \"" << value << "\"; taking auto\n";
    }
    return Presentation::Automatic;
}
