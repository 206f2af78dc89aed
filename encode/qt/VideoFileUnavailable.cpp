// Builds without the FFmpeg libraries: --video is refused before a file
// would be opened, so only Open is ever reached, and says why.
#include "VideoFile.h"

struct VideoFile::Parts {};

bool VideoFile::Available()
{
    return false;
}

std::unique_ptr<VideoFile> VideoFile::Open(const Destination& /*destination*/, const Settings& /*settings*/,
                                           std::string& error)
{
    error = "this quillbrook-render was built without video support";
    return nullptr;
}

VideoFile::VideoFile(std::unique_ptr<Parts> parts) : m_parts(std::move(parts)) {}

VideoFile::~VideoFile() = default;

bool VideoFile::Write(const YuvPicture& /*picture*/, std::string& error)
{
    error = "no video support";
    return false;
}

bool VideoFile::Finish(const std::function<void(long long)>& /*progress*/, std::string& error)
{
    error = "no video support";
    return false;
}

bool VideoFile::Commit(std::string& error)
{
    error = "no video support";
    return false;
}

long long VideoFile::FramesWritten() const
{
    return 0;
}
