#include "DeviceSink.h"

#include <QIODevice>

ByteSink DeviceSink(QIODevice& device)
{
    return [&device](std::string_view bytes) {
        const auto size = static_cast<qint64>(bytes.size());
        return device.write(bytes.data(), size) == size;
    };
}
