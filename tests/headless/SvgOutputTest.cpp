#include <cmath>
#include <vector>

#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "RenderRun.h"

namespace {

constexpr QRgb kBack = 0x000080;

// The smallest rectangle holding every pixel that is not the background.
QRect PlantBounds(const QImage& image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & 0xFFFFFFU) != kBack) {
                bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return bounds;
}

} // namespace

TEST(SvgOutput, LastFramePlantAsOneLineASegmentWhereThePictureDrewIt)
{
    QTemporaryDir dir;
    const QString svgPath = dir.path() + "/plant.svg";
    const QString pngPath = dir.path() + "/plant.png";
    // Slider 0 erases every earlier frame: the picture holds the last plant alone.
    const RenderRun run = RenderRun::Of(
        {"--seed", "5", "--frames", "60", "--size", "300x200", "--slider", "0", "--svg", svgPath, "--png", pngPath});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();

    const QString svg = QString::fromUtf8(FileBytes(svgPath));
    EXPECT_TRUE(svg.contains(R"(<rect x="0" y="0" width="300" height="200" fill="#000080"/>)"));
    static const QRegularExpression pattern(
        R"re(<line x1="([^"]+)" y1="([^"]+)" x2="([^"]+)" y2="([^"]+)" stroke="#[0-9a-f]{6}"/>)re");
    const QImage picture(pngPath);
    int lines = 0;
    int starts = 0;
    for (auto it = pattern.globalMatch(svg); it.hasNext(); ++lines) {
        const auto m = it.next();
        const auto x = static_cast<int>(m.captured(1).toDouble());
        const auto y = static_cast<int>(m.captured(2).toDouble());
        const bool moves =
            x != static_cast<int>(m.captured(3).toDouble()) || y != static_cast<int>(m.captured(4).toDouble());
        if (moves && picture.valid(x, y)) {
            ASSERT_NE(picture.pixel(x, y) & 0xFFFFFFU, kBack) << "no plant where a line starts: " << x << "," << y;
            ++starts;
        }
    }
    EXPECT_EQ(lines, 1365);
    EXPECT_EQ(svg.count("<line "), 1365);
    EXPECT_GT(starts, 0);

    // A real renderer draws the same plant, give or take its smoothed edges.
    ASSERT_STRNE(RSVG_CONVERT_PATH, "") << "rsvg-convert (librsvg2-bin) is needed";
    QProcess rsvg;
    rsvg.start(QStringLiteral(RSVG_CONVERT_PATH), {svgPath, "-o", dir.path() + "/rsvg.png"});
    ASSERT_TRUE(rsvg.waitForFinished(60'000));
    ASSERT_EQ(rsvg.exitCode(), 0) << rsvg.readAllStandardError().toStdString();
    const QImage raster(dir.path() + "/rsvg.png");
    ASSERT_EQ(raster.size(), QSize(300, 200));
    const QRect drawn = PlantBounds(picture);
    const QRect rendered = PlantBounds(raster);
    ASSERT_FALSE(drawn.isEmpty());
    for (const auto& [a, b] : {std::pair{drawn.left(), rendered.left()},
                               {drawn.top(), rendered.top()},
                               {drawn.right(), rendered.right()},
                               {drawn.bottom(), rendered.bottom()}}) {
        EXPECT_LE(std::abs(a - b), 2) << "edge " << a << " drawn, " << b << " rendered";
    }
}
