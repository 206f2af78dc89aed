#pragma once

#include <sys/types.h>

#include <memory>
#include <string>

#include <QIODevice>

#include "Destination.h"

// One output of a run, written straight to the system with every error kept:
// nothing is buffered where an error could be lost. A regular file is
// written to a new file beside it, finished (synced, given the old file's
// permissions and owner), and renamed over it by Commit; dropped before
// that, the new file is removed and the old one never touched. A descriptor,
// pipe or device is written in place. A pending interruption fails every
// write and every wait.
class OutputFile : public QIODevice {
    Q_OBJECT

public:
    // Null with `error` set to the system's reason when the destination
    // cannot be opened.
    [[nodiscard]] static std::unique_ptr<OutputFile> Open(const Destination& destination, std::string& error);
    // A file at `path` that must not exist yet, written directly: for files
    // inside a directory of the run's own.
    [[nodiscard]] static std::unique_ptr<OutputFile> Create(const std::string& path, std::string& error);
    ~OutputFile() override;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    [[nodiscard]] bool isSequential() const override { return true; }

    // The new file beside the target while it is written (empty for
    // outputs written in place), for a writer that opens it by name.
    [[nodiscard]] const std::string& NewFile() const { return m_temporary; }

    // The system's reason for the first write that failed; empty if none did.
    [[nodiscard]] std::string Failure() const;
    // Ends the writing: what was written reaches the system (and the disk
    // with `sync`), and a new file is closed. False with `error` set.
    [[nodiscard]] bool Finish(bool sync, std::string& error);
    // Puts a finished new file in place of the old; nothing to do for the
    // others. False with `error` set.
    [[nodiscard]] bool Commit(std::string& error);

protected:
    qint64 readData(char* data, qint64 size) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    enum class Mode { Descriptor, InPlace, Replace, Direct };

    OutputFile(Mode mode, int descriptor);

    Mode m_mode;
    int m_fd;
    int m_error = 0;
    // Replace: the new file, the file it replaces, and what to give it.
    std::string m_temporary;
    std::string m_target;
    mode_t m_permissions = 0;
    uid_t m_owner = 0;
    gid_t m_group = 0;
    bool m_keepOwner = false;
    bool m_committed = false;
};
