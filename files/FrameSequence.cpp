#include "FrameSequence.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "OutputFile.h"

namespace {

std::string WithoutTrailingSlashes(std::string path)
{
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

// mkdtemp on a template it fills in.
std::string MakeTemporaryDirectory(const std::string& prefix, int& error)
{
    std::string name = prefix + "XXXXXX";
    if (mkdtemp(name.data()) == nullptr) {
        error = errno;
        return {};
    }
    return name;
}

} // namespace

FrameSequence::FrameSequence(std::string directory, long long frameCount, bool overwrite)
    : m_directory(WithoutTrailingSlashes(std::move(directory))), m_frameCount(frameCount), m_overwrite(overwrite)
{
}

FrameSequence::~FrameSequence()
{
    if (m_committed) {
        return;
    }
    if (!m_temporary.empty()) {
        for (long long frame = 0; frame < m_files; ++frame) {
            unlink((m_temporary + "/" + FileName(frame, m_frameCount)).c_str());
        }
        rmdir(m_temporary.c_str());
    }
    // The deepest first.
    std::reverse(m_madeDirectories.begin(), m_madeDirectories.end());
    for (const std::string& made : m_madeDirectories) {
        rmdir(made.c_str());
    }
}

std::string FrameSequence::FileName(long long frame, long long frameCount)
{
    std::size_t digits = 6;
    for (long long limit = 1'000'000; frameCount - 1 >= limit; limit *= 10) {
        ++digits;
    }
    std::string number = std::to_string(frame);
    if (number.size() < digits) {
        number.insert(0, digits - number.size(), '0');
    }
    return "frame-" + number + ".png";
}

bool FrameSequence::IsFrameName(const std::string& name)
{
    constexpr std::size_t kAround = sizeof("frame-.png") - 1;
    return name.size() > kAround && name.starts_with("frame-") && name.ends_with(".png") &&
           std::all_of(name.begin() + 6, name.end() - 4, [](char c) { return c >= '0' && c <= '9'; });
}

bool FrameSequence::Check(std::string& error)
{
    m_absolute = AbsolutePath(m_directory);
    struct stat status {};
    if (stat(m_directory.c_str(), &status) != 0) {
        return true; // made by Open
    }
    if (!S_ISDIR(status.st_mode)) {
        error = "'" + m_directory + "' is not a directory";
        return false;
    }
    m_exists = true;
    std::error_code failure;
    for (std::filesystem::directory_iterator entry(m_directory, failure), end; !failure && entry != end;
         entry.increment(failure)) {
        const std::string name = entry->path().filename().string();
        if (IsFrameName(name)) {
            m_oldFrames.push_back(name);
        }
    }
    if (!m_oldFrames.empty() && !m_overwrite) {
        std::sort(m_oldFrames.begin(), m_oldFrames.end());
        error = "'" + m_directory + "' already holds " + std::to_string(m_oldFrames.size()) + " frame files (" +
                m_oldFrames.front() + " ...); give --overwrite to replace them";
        return false;
    }
    return true;
}

bool FrameSequence::Covers(const Destination& destination) const
{
    if (destination.absolute.empty()) {
        return false;
    }
    return destination.absolute == m_absolute ||
           (DirectoryOf(destination.absolute) == m_absolute && IsFrameName(NameOf(destination.absolute)));
}

bool FrameSequence::Open(std::string& error)
{
    int failure = 0;
    if (m_exists) {
        m_temporary = MakeTemporaryDirectory(m_directory + "/.quillbrook-render.", failure);
    } else {
        // The folders above DIR that are missing, from the top down.
        const std::string parent = DirectoryOf(m_directory);
        for (std::size_t slash = parent.find('/', 1); failure == 0; slash = parent.find('/', slash + 1)) {
            const std::string folder = parent.substr(0, slash);
            if (mkdir(folder.c_str(), 0777) == 0) {
                m_madeDirectories.push_back(folder);
            } else if (errno != EEXIST) {
                failure = errno;
            }
            if (slash == std::string::npos) {
                break;
            }
        }
        if (failure == 0) {
            m_temporary = MakeTemporaryDirectory(parent + "/." + NameOf(m_directory) + ".", failure);
        }
    }
    if (failure != 0) {
        error = "cannot create '" + m_directory + "': " + Reason(failure);
        return false;
    }
    return true;
}

bool FrameSequence::Write(long long frame, const std::function<bool(OutputFile& file)>& encode, std::string& error)
{
    const std::string name = FileName(frame, m_frameCount);
    std::string reason;
    const auto file = OutputFile::Create(m_temporary + "/" + name, reason);
    if (file) {
        ++m_files;
        if (!encode(*file)) {
            reason = file->Failure().empty() ? Reason(ENOMEM) : file->Failure();
        } else if (file->Finish(false, reason)) {
            return true;
        }
    }
    error = "cannot write '" + m_directory + "/" + name + "': " + reason;
    return false;
}

bool FrameSequence::Finish(std::string& error)
{
    // One sync for all the frames rather than one each.
    const int folder = open(m_temporary.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0 || syncfs(folder) != 0) {
        error = "cannot write '" + m_directory + "': " + Reason(errno);
        if (folder >= 0) {
            close(folder);
        }
        return false;
    }
    close(folder);
    return true;
}

bool FrameSequence::Commit(std::string& error)
{
    if (!m_exists) {
        if (rename(m_temporary.c_str(), m_directory.c_str()) != 0) {
            error = "cannot create '" + m_directory + "': " + Reason(errno);
            return false;
        }
        m_committed = true;
        return true;
    }
    for (long long frame = 0; frame < m_files; ++frame) {
        const std::string name = FileName(frame, m_frameCount);
        if (rename((m_temporary + "/" + name).c_str(), (m_directory + "/" + name).c_str()) != 0) {
            error = "cannot write '" + m_directory + "/" + name + "': " + Reason(errno);
            return false;
        }
        m_oldFrames.erase(std::remove(m_oldFrames.begin(), m_oldFrames.end(), name), m_oldFrames.end());
    }
    m_committed = true;
    rmdir(m_temporary.c_str());
    // Frames of an earlier, longer run would read as part of this one.
    for (const std::string& old : m_oldFrames) {
        unlink((m_directory + "/" + old).c_str());
    }
    return true;
}
