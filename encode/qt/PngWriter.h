#pragma once

#include <cstdint>

#include <string>

class BackBuffer;
class QImage;
class QIODevice;

// A picture as an opaque 8-bit RGB PNG, carrying in text fields what it
// takes to render it again.
class PngWriter {
public:
    struct Fields {
        std::int32_t seed = 0;
        long long frames = 0;
        int slider = 0;
    };

    // The keys of the text fields.
    static constexpr const char* kSeedKey = "Seed";
    static constexpr const char* kFramesKey = "Frames";
    static constexpr const char* kSliderKey = "Slider";

    // False when the image could not be written: the device failed, or the
    // encoder found no memory.
    [[nodiscard]] static bool Write(QIODevice& device, const QImage& image, const Fields& fields);
    [[nodiscard]] static bool Write(QIODevice& device, const BackBuffer& picture, const Fields& fields);

    // Writes `picture` to `path` as a whole file, put in place only when
    // complete. False with `error` set to the system's reason.
    [[nodiscard]] static bool Save(const std::string& path, const QImage& picture, const Fields& fields,
                                   std::string& error);
};
