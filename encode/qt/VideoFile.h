#pragma once

#include <functional>
#include <memory>
#include <string>

#include "Destination.h"
#include "VideoFormat.h"

class YuvPicture;

// One --video file: pictures encoded as they come and muxed into a new file
// beside the target, which Commit puts in its place; dropped before that,
// the new file is removed and the old one never touched. The pictures are
// 4:2:0 planes in BT.709 limited range, and the stream is tagged so. A
// pending interruption ends every wait for the disk.
class VideoFile {
public:
    struct Settings {
        const VideoFormat* format = nullptr;
        int width = 0; // even, as 4:2:0 needs
        int height = 0;
        int crf = 0;
        int framesPerSecond = 0;
    };

    // Whether this build can write video at all.
    [[nodiscard]] static bool Available();

    // Null with `error` set when the file or the encoder cannot be opened.
    // `destination` must be a file (new or existing), which can be sought in.
    [[nodiscard]] static std::unique_ptr<VideoFile> Open(const Destination& destination, const Settings& settings,
                                                         std::string& error);
    ~VideoFile();
    VideoFile(const VideoFile&) = delete;
    VideoFile& operator=(const VideoFile&) = delete;

    // Each is false with `error` set to the reason when it fails.
    [[nodiscard]] bool Write(const YuvPicture& picture, std::string& error);
    // Encodes what the encoder still holds, completes the file and brings it
    // to the disk; `progress` hears the frames in the file as they grow.
    [[nodiscard]] bool Finish(const std::function<void(long long)>& progress, std::string& error);
    [[nodiscard]] bool Commit(std::string& error);

    // The frames the encoder has handed to the file so far.
    [[nodiscard]] long long FramesWritten() const;

private:
    struct Parts;

    explicit VideoFile(std::unique_ptr<Parts> parts);

    std::unique_ptr<Parts> m_parts;
};
