#include "DialogUnits.h"

#include <QFontMetrics>
#include <QString>

DialogUnits::DialogUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_baseWidth = (width / 26 + 1) / 2;
    m_baseHeight = metrics.height();
}

QFont DialogUnits::DialogFont()
{
    QFont font(QString::fromLatin1(DialogTemplates::kFontFamily), DialogTemplates::kFontPoints);
    // Where the system has no such font, any sans serif stands in for it.
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QRect DialogUnits::Map(const DialogRect& rect) const
{
    return {MapX(rect.x), MapY(rect.y), MapX(rect.width), MapY(rect.height)};
}
