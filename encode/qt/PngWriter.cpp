#include "PngWriter.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include <QImage>
#include <QImageWriter>
#include <QString>

#include "BackBuffer.h"
#include "Destination.h"
#include "OutputFile.h"

namespace {

// libpng prints its own line on standard error when a write fails, before
// the caller can say better what happened: standard error goes to
// /dev/null for as long as one lives.
class QuietStandardError {
public:
    QuietStandardError() : m_saved(fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3))
    {
        if (const int quiet = open("/dev/null", O_WRONLY | O_CLOEXEC); quiet >= 0) {
            dup2(quiet, STDERR_FILENO);
            close(quiet);
        }
    }
    ~QuietStandardError()
    {
        if (m_saved >= 0) {
            dup2(m_saved, STDERR_FILENO);
            close(m_saved);
        }
    }
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

private:
    int m_saved;
};

} // namespace

bool PngWriter::Write(QIODevice& device, const BackBuffer& picture, const Fields& fields)
{
    // The buffer's words are 0x00RRGGBB top-down rows, which RGB32 reads as
    // they stand (the top byte is ignored): no copy, and no alpha channel.
    const QImage image(reinterpret_cast<const uchar*>(picture.Bits()), picture.Width(), picture.Height(),
                       static_cast<qsizetype>(picture.Stride()) * 4, QImage::Format_RGB32);
    return Write(device, image, fields);
}

bool PngWriter::Write(QIODevice& device, const QImage& image, const Fields& fields)
{
    QImageWriter writer(&device, "png");
    writer.setText(kSeedKey, QString::number(fields.seed));
    writer.setText(kFramesKey, QString::number(fields.frames));
    writer.setText(kSliderKey, QString::number(fields.slider));
    writer.setText("Software", QStringLiteral("quillbrook-render " QUILLBROOK_VERSION));
    const QuietStandardError quiet;
    return writer.write(image);
}

bool PngWriter::Save(const std::string& path, const QImage& picture, const Fields& fields, std::string& error)
{
    const auto destination = Destination::Resolve(path, false, error);
    const auto file = destination ? OutputFile::Open(*destination, error) : nullptr;
    if (!file) {
        return false;
    }
    if (!Write(*file, picture, fields)) {
        error = file->Failure().empty() ? Reason(ENOMEM) : file->Failure();
        return false;
    }
    return file->Finish(true, error) && file->Commit(error);
}
