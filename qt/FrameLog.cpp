#include "FrameLog.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <iostream>
#include <string>
#include <system_error>

FrameLog::FrameLog(const char* path)
{
    if (path == nullptr || *path == '\0') {
        return;
    }
    // Non-blocking, so that opening a pipe nobody reads fails at once
    // instead of waiting for a reader.
    const int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0666);
    const int openError = errno;
    struct stat status {};
    if (fd >= 0 && fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
        m_fd = fd;
        return;
    }
    const std::string reason = fd < 0 ? std::generic_category().message(openError) : "not a regular file";
    if (fd >= 0) {
        close(fd);
    }
    std::cerr << "quillbrook: QUILLBROOK_FRAME_LOG: no frame log in '" << path << "': " << reason << '\n';
}

FrameLog::~FrameLog()
{
    if (m_fd >= 0) {
        close(m_fd);
    }
}

void FrameLog::Record(std::chrono::steady_clock::time_point start) const
{
    if (m_fd < 0) {
        return;
    }
    const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(start.time_since_epoch()).count();
    std::array<char, 24> line{};
    char* end = std::to_chars(line.data(), line.data() + line.size() - 1, micros).ptr;
    *end++ = '\n';
    // A line that does not fit (a full disk) is dropped: the log never holds
    // up a frame.
    [[maybe_unused]] const auto written = write(m_fd, line.data(), static_cast<std::size_t>(end - line.data()));
}
