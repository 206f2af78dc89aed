#include "FadeSlider.h"

namespace {

constexpr const char* kMicro = "\xC2\xB5"; // U+00B5 MICRO SIGN

} // namespace

std::string FadeSlider::LabelFor(std::int32_t value)
{
    return std::string(kMicro) + "g (" + std::to_string(kMinimum) + " - " + std::to_string(kMaximum) +
           "): " + std::to_string(value) + " " + kMicro + "g";
}
