#include "OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "Interruption.h"

namespace {

// Retries a call cut short by a signal, unless the signal asked the run to
// end: then it fails with EINTR.
template <class Call> auto Retrying(Call call)
{
    while (true) {
        const auto result = call();
        if (result >= 0 || errno != EINTR || Interruption::Pending() != 0) {
            return result;
        }
    }
}

mode_t CurrentUmask()
{
    const mode_t mask = umask(0);
    umask(mask);
    return mask;
}

// Why a file could not be made beside `target` or put in its place.
std::string DirectoryReason(int error, const std::string& target)
{
    std::string reason = Reason(error);
    if (error == EACCES || error == EPERM || error == EROFS) {
        reason +=
            " (the file is replaced through a new one beside it, so '" + DirectoryOf(target) + "' must be writable)";
    }
    return reason;
}

} // namespace

OutputFile::OutputFile(Mode mode, int descriptor) : m_mode(mode), m_fd(descriptor)
{
    QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

std::unique_ptr<OutputFile> OutputFile::Open(const Destination& destination, std::string& error)
{
    switch (destination.kind) {
    case Destination::Kind::Descriptor:
        return std::unique_ptr<OutputFile>(new OutputFile(Mode::Descriptor, destination.descriptor));
    case Destination::Kind::InPlace: {
        // A pipe waits here for its reader; a signal ends the wait.
        const int fd = Retrying([&] { return ::open(destination.path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY); });
        if (fd < 0) {
            error = Reason(errno);
            return nullptr;
        }
        return std::unique_ptr<OutputFile>(new OutputFile(Mode::InPlace, fd));
    }
    case Destination::Kind::File:
        break;
    }

    std::string temporary = DirectoryOf(destination.path) + "/." + NameOf(destination.path) + ".XXXXXX";
    const int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        error = errno == ENOENT ? Reason(errno) : DirectoryReason(errno, destination.path);
        return nullptr;
    }
    std::unique_ptr<OutputFile> file(new OutputFile(Mode::Replace, fd));
    file->m_temporary = std::move(temporary);
    file->m_target = destination.path;
    struct stat old {};
    if (stat(destination.path.c_str(), &old) == 0) {
        file->m_permissions = old.st_mode & 07777;
        file->m_owner = old.st_uid;
        file->m_group = old.st_gid;
        file->m_keepOwner = true;
    } else {
        file->m_permissions = 0666 & ~CurrentUmask();
    }
    return file;
}

std::unique_ptr<OutputFile> OutputFile::Create(const std::string& path, std::string& error)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd < 0) {
        error = Reason(errno);
        return nullptr;
    }
    return std::unique_ptr<OutputFile>(new OutputFile(Mode::Direct, fd));
}

OutputFile::~OutputFile()
{
    if (m_fd >= 0 && m_mode != Mode::Descriptor) {
        ::close(m_fd);
    }
    if (m_mode == Mode::Replace && !m_committed) {
        unlink(m_temporary.c_str());
    }
}

std::string OutputFile::Failure() const
{
    return m_error == 0 ? std::string() : Reason(m_error);
}

qint64 OutputFile::readData(char* /*data*/, qint64 /*size*/)
{
    return -1;
}

qint64 OutputFile::writeData(const char* data, qint64 size)
{
    for (qint64 done = 0; done < size && m_error == 0;) {
        if (Interruption::Pending() != 0) {
            m_error = EINTR;
            break;
        }
        const ssize_t written = ::write(m_fd, data + done, static_cast<std::size_t>(size - done));
        if (written >= 0) {
            done += written;
        } else if (errno != EINTR) {
            m_error = errno;
        }
    }
    return m_error == 0 ? size : -1;
}

bool OutputFile::Finish(bool sync, std::string& error)
{
    if (m_error != 0) {
        error = Failure();
        return false;
    }
    if (m_mode == Mode::Descriptor || m_fd < 0) {
        return true;
    }
    int failure = 0;
    if (m_mode == Mode::Replace) {
        if (m_keepOwner && fchown(m_fd, m_owner, m_group) != 0) {
            // Only root may give a file away; the group may still be ours.
            (void)fchown(m_fd, static_cast<uid_t>(-1), m_group);
        }
        // After the owner: a change of owner clears the set-id bits.
        if (fchmod(m_fd, m_permissions) != 0) {
            failure = errno;
        }
    }
    if (failure == 0 && sync && Retrying([&] { return fsync(m_fd); }) != 0 && errno != EINVAL) {
        failure = errno;
    }
    // Some file systems report a failed write only here.
    if (::close(m_fd) != 0 && failure == 0 && errno != EINTR) {
        failure = errno;
    }
    m_fd = -1;
    if (failure != 0) {
        m_error = failure;
        error = Reason(failure);
        return false;
    }
    return true;
}

bool OutputFile::Commit(std::string& error)
{
    if (m_mode != Mode::Replace) {
        return true;
    }
    if (rename(m_temporary.c_str(), m_target.c_str()) != 0) {
        error = DirectoryReason(errno, m_target);
        return false;
    }
    m_committed = true;
    return true;
}
