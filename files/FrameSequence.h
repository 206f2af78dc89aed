#pragma once

#include <functional>
#include <string>
#include <vector>

#include "Destination.h"

class OutputFile;

// Every frame of a run as DIR/frame-000000.png onward. The frames are
// written into a directory of the run's own and moved into DIR only by
// Commit, so a run that fails or is interrupted leaves DIR as it was, and
// removes every directory it made. Frames already in DIR are refused unless
// the run may overwrite them; then those the run does not write again go.
class FrameSequence {
public:
    FrameSequence(std::string directory, long long frameCount, bool overwrite);
    ~FrameSequence();
    FrameSequence(const FrameSequence&) = delete;
    FrameSequence& operator=(const FrameSequence&) = delete;

    // False with `error` set when the run must not begin: DIR is something
    // other than a directory, or holds frames it may not overwrite.
    [[nodiscard]] bool Check(std::string& error);
    // Whether writing `destination` would fall on DIR or on a frame in it.
    [[nodiscard]] bool Covers(const Destination& destination) const;

    // Each is false with `error` set to the system's reason when it fails.
    [[nodiscard]] bool Open(std::string& error);
    // Makes the frame's file and has `encode` fill it; `encode` is false when
    // it could not, the reason then being the file's failure or, where the
    // file did not fail, that the encoder found no memory.
    [[nodiscard]] bool Write(long long frame, const std::function<bool(OutputFile& file)>& encode, std::string& error);
    [[nodiscard]] bool Finish(std::string& error);
    [[nodiscard]] bool Commit(std::string& error);

    // frame-000000.png onward, with more digits once six do not suffice for
    // the last frame, so that the names still sort in frame order.
    [[nodiscard]] static std::string FileName(long long frame, long long frameCount);
    [[nodiscard]] static bool IsFrameName(const std::string& name);

private:
    std::string m_directory;
    std::string m_absolute;
    long long m_frameCount;
    bool m_overwrite;
    bool m_exists = false;
    std::vector<std::string> m_oldFrames;
    std::vector<std::string> m_madeDirectories;
    std::string m_temporary;
    long long m_files = 0; // frame files begun in the temporary directory
    bool m_committed = false;
};
