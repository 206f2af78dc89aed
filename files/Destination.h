#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

// Where one output of a run goes, worked out before anything is opened.
// Names are bytes: they reach the system exactly as given.
struct Destination {
    enum class Kind {
        // An already open descriptor ("-", /dev/stdout, /dev/stderr,
        // /dev/fd/N): written in place, appending where it appends.
        Descriptor,
        // An existing pipe or device: opened and written in place.
        InPlace,
        // A regular file, new or existing: written to a new file beside it
        // and renamed over it once complete. Links are followed: `path` is
        // the file itself.
        File,
    };

    Kind kind = Kind::File;
    int descriptor = -1;
    std::string path;
    // What tells two destinations apart: the device and inode where the
    // file exists, else the absolute path it would have.
    std::optional<std::pair<dev_t, ino_t>> inode;
    std::string absolute;

    [[nodiscard]] bool SameAs(const Destination& other) const;

    // Resolves `path` for writing ("-" names standard output where
    // `dashIsStandardOutput`). Nothing when it cannot be written at all (a
    // directory, a descriptor that is not open for writing, a loop of
    // links), with `error` saying why.
    [[nodiscard]] static std::optional<Destination> Resolve(const std::string& path, bool dashIsStandardOutput,
                                                            std::string& error);
};

// The three standard descriptors as the program found them. Secure() notes
// which were open and opens /dev/null on the closed ones, so that no file
// the run opens can take their numbers and be written as if it were one.
namespace StandardDescriptors {

void Secure();
[[nodiscard]] bool WasOpen(int descriptor);

} // namespace StandardDescriptors

// The system's words for an error number.
[[nodiscard]] std::string Reason(int error);

// The folder part of a path ("." when it has none) and the name after it.
[[nodiscard]] std::string DirectoryOf(const std::string& path);
[[nodiscard]] std::string NameOf(const std::string& path);
// An absolute form of a path whose last part may not exist yet.
[[nodiscard]] std::string AbsolutePath(const std::string& path);
