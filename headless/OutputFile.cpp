#include "OutputFile.h"

#include <cstdio>

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

std::string Describe(const QFileDevice& device)
{
    return device.errorString().toLocal8Bit().toStdString();
}

} // namespace

OutputFile::OutputFile(std::string path, bool dashIsStandardOutput)
    : m_path(std::move(path)), m_dashIsStandardOutput(dashIsStandardOutput)
{
}

OutputFile::~OutputFile() = default; // an uncommitted QSaveFile removes its temporary file

bool OutputFile::Open(std::string& error)
{
    if (m_dashIsStandardOutput && m_path == "-") {
        auto out = std::make_unique<QFile>();
        if (!out->open(stdout, QIODevice::WriteOnly)) {
            error = "cannot write to standard output: " + Describe(*out);
            return false;
        }
        m_device = std::move(out);
        return true;
    }

    // A device or a pipe is written in place: renaming over it would replace
    // it. Everything else goes to a temporary file, renamed when committed.
    const QString name = QFile::decodeName(m_path.c_str());
    const QFileInfo info(name);
    std::unique_ptr<QFileDevice> file;
    if (info.exists() && !info.isFile() && !info.isDir()) {
        file = std::make_unique<QFile>(name);
    } else {
        file = std::make_unique<QSaveFile>(name);
    }
    if (!file->open(QIODevice::WriteOnly)) {
        error = "cannot write '" + m_path + "': " + Describe(*file);
        return false;
    }
    m_device = std::move(file);
    return true;
}

QIODevice& OutputFile::Device()
{
    return *m_device;
}

bool OutputFile::Commit(std::string& error)
{
    if (auto* file = qobject_cast<QSaveFile*>(m_device.get())) {
        if (!file->commit()) {
            error = "cannot write '" + m_path + "': " + Describe(*file);
            return false;
        }
        return true;
    }
    const bool flushed = m_device->flush();
    const bool clean = flushed && m_device->error() == QFileDevice::NoError;
    if (!clean) {
        error = "cannot write '" + m_path + "': " + Describe(*m_device);
    }
    m_device->close();
    return clean;
}
