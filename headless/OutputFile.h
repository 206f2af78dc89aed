#pragma once

#include <memory>
#include <string>

class QFileDevice;
class QIODevice;

// One output of a run. An ordinary file is written under a temporary name
// beside it and renamed into place by Commit, so it appears whole or not at
// all; dropped without Commit, nothing appears. A device or pipe that
// already exists (/dev/stdout, a named pipe) is written in place, since
// renaming over it would replace it; "-" when allowed is standard output.
class OutputFile {
public:
    OutputFile(std::string path, bool dashIsStandardOutput);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // False with `error` set when the path cannot be written.
    [[nodiscard]] bool Open(std::string& error);
    [[nodiscard]] QIODevice& Device();
    // Puts the finished file in place. False with `error` set when a write
    // failed or the rename did not happen; an ordinary file then does not
    // appear at all.
    [[nodiscard]] bool Commit(std::string& error);

    [[nodiscard]] const std::string& Path() const { return m_path; }

private:
    std::string m_path;
    bool m_dashIsStandardOutput;
    std::unique_ptr<QFileDevice> m_device;
};
