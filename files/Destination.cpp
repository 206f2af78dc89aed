#include "Destination.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <memory>
#include <string_view>
#include <system_error>

namespace {

std::array<bool, 3> g_standardOpen{true, true, true};

// The descriptor a name stands for, if it names one.
std::optional<int> NamedDescriptor(std::string_view path, bool dashIsStandardOutput)
{
    if (dashIsStandardOutput && path == "-") {
        return 1;
    }
    if (path == "/dev/stdin") {
        return 0;
    }
    if (path == "/dev/stdout") {
        return 1;
    }
    if (path == "/dev/stderr") {
        return 2;
    }
    for (const std::string_view prefix : {"/dev/fd/", "/proc/self/fd/"}) {
        if (path.starts_with(prefix)) {
            const std::string_view number = path.substr(prefix.size());
            int descriptor = -1;
            const auto [end, failure] = std::from_chars(number.data(), number.data() + number.size(), descriptor);
            if (failure == std::errc{} && end == number.data() + number.size() && !number.empty()) {
                return descriptor;
            }
        }
    }
    return std::nullopt;
}

// The path with every link at its end followed; links above it are left to
// the system, which follows them anyway.
std::optional<std::string> FollowLinks(std::string path, int& error)
{
    for (int hops = 0; hops < 40; ++hops) {
        struct stat status {};
        if (lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            return path;
        }
        std::array<char, PATH_MAX> target{};
        const ssize_t length = readlink(path.c_str(), target.data(), target.size());
        if (length < 0 || static_cast<std::size_t>(length) >= target.size()) {
            error = length < 0 ? errno : ENAMETOOLONG;
            return std::nullopt;
        }
        std::string next(target.data(), static_cast<std::size_t>(length));
        if (!next.starts_with('/')) {
            next.insert(0, DirectoryOf(path) + "/");
        }
        path = std::move(next);
    }
    error = ELOOP;
    return std::nullopt;
}

bool OpenForWriting(int descriptor)
{
    if (descriptor <= 2 && !StandardDescriptors::WasOpen(descriptor)) {
        return false;
    }
    const int flags = fcntl(descriptor, F_GETFL);
    return flags != -1 && (flags & O_ACCMODE) != O_RDONLY;
}

} // namespace

std::string AbsolutePath(const std::string& path)
{
    const std::unique_ptr<char, decltype(&std::free)> directory(realpath(DirectoryOf(path).c_str(), nullptr),
                                                                &std::free);
    if (directory) {
        return std::string(directory.get()) + "/" + NameOf(path);
    }
    if (path.starts_with('/')) {
        return path;
    }
    const std::unique_ptr<char, decltype(&std::free)> here(getcwd(nullptr, 0), &std::free);
    return here ? std::string(here.get()) + "/" + path : path;
}

bool Destination::SameAs(const Destination& other) const
{
    if (inode && other.inode) {
        return *inode == *other.inode;
    }
    return !absolute.empty() && absolute == other.absolute;
}

std::optional<Destination> Destination::Resolve(const std::string& path, bool dashIsStandardOutput, std::string& error)
{
    Destination destination;
    if (const auto descriptor = NamedDescriptor(path, dashIsStandardOutput)) {
        if (!OpenForWriting(*descriptor)) {
            error = path == "-" ? "standard output is not open for writing"
                                : "'" + path + "' names descriptor " + std::to_string(*descriptor) +
                                      ", which is not open for writing";
            return std::nullopt;
        }
        struct stat status {};
        fstat(*descriptor, &status);
        destination.kind = Kind::Descriptor;
        destination.descriptor = *descriptor;
        destination.path = path;
        destination.inode = std::pair{status.st_dev, status.st_ino};
        return destination;
    }

    int failure = 0;
    const auto followed = FollowLinks(path, failure);
    if (!followed) {
        error = "cannot write '" + path + "': " + Reason(failure);
        return std::nullopt;
    }
    destination.path = *followed;
    destination.absolute = AbsolutePath(*followed);
    struct stat status {};
    if (stat(followed->c_str(), &status) == 0) {
        if (S_ISDIR(status.st_mode)) {
            error = "'" + path + "' is a directory";
            return std::nullopt;
        }
        destination.kind = S_ISREG(status.st_mode) ? Kind::File : Kind::InPlace;
        destination.inode = std::pair{status.st_dev, status.st_ino};
    }
    return destination;
}

void StandardDescriptors::Secure()
{
    for (int descriptor = 0; descriptor <= 2; ++descriptor) {
        if (fcntl(descriptor, F_GETFD) != -1) {
            continue;
        }
        g_standardOpen[static_cast<std::size_t>(descriptor)] = false;
        // The lowest free number is this one, which /dev/null now holds.
        open("/dev/null", O_RDWR);
    }
}

bool StandardDescriptors::WasOpen(int descriptor)
{
    return g_standardOpen.at(static_cast<std::size_t>(descriptor));
}

std::string Reason(int error)
{
    return std::generic_category().message(error);
}

std::string DirectoryOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}
