#include "PngWriter.h"

#include <QImage>
#include <QImageWriter>
#include <QString>

#include "BackBuffer.h"

bool PngWriter::Write(QIODevice& device, const BackBuffer& picture, const Fields& fields, std::string& error)
{
    // The buffer's words are 0x00RRGGBB top-down rows, which RGB32 reads as
    // they stand (the top byte is ignored): no copy, and no alpha channel.
    const QImage image(reinterpret_cast<const uchar*>(picture.Bits()), picture.Width(), picture.Height(),
                       static_cast<qsizetype>(picture.Stride()) * 4, QImage::Format_RGB32);
    QImageWriter writer(&device, "png");
    writer.setText(kSeedKey, QString::number(fields.seed));
    writer.setText(kFramesKey, QString::number(fields.frames));
    writer.setText(kSliderKey, QString::number(fields.slider));
    writer.setText("Software", QStringLiteral("quillbrook-render " QUILLBROOK_VERSION));
    if (!writer.write(image)) {
        error = writer.errorString().toLocal8Bit().toStdString();
        return false;
    }
    return true;
}
