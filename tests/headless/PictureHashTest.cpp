#include <QCryptographicHash>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "RowName.h"

#include "RenderRun.h"

namespace {

struct PictureCase {
    const char* name;
    const char* seed;
    const char* slider;
    const char* size;
    // SHA-256 of the decoded picture's RGB bytes, row after row.
    const char* sha256;
};

class PictureHash : public testing::TestWithParam<PictureCase> {};

QByteArray PixelHash(const QString& path)
{
    const QImage image = QImage(path).convertToFormat(QImage::Format_RGB888);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (int y = 0; y < image.height(); ++y) {
        hash.addData(QByteArrayView(reinterpret_cast<const char*>(image.constScanLine(y)), image.width() * 3));
    }
    return hash.result().toHex();
}

} // namespace

// The pictures the plant has always made: 120 frames of three seeds at three
// sizes and three slider values, fixed once and checked ever since.
TEST_P(PictureHash, PictureIsTheOneItHasAlwaysBeen)
{
    const PictureCase& c = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plant.png"));
    const RenderRun run =
        RenderRun::Of({"--seed", c.seed, "--frames", "120", "--slider", c.slider, "--size", c.size, "--png", path});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(PixelHash(path), QByteArray(c.sha256));
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, PictureHash,
    testing::Values(PictureCase{"ClockSeedWindowSize", "1733668800", "150", "469x339",
                                "69b169bbf930189e3b6ec53c94f0b47417e6bbf456a50c6f8996809d30ff8e8b"},
                    PictureCase{"ClockSeedFullHd", "1733668800", "150", "1920x1080",
                                "e7045213f59b61db6b1761cbb24f4dafaff5fac620e18ff8981a17848223c87f"},
                    PictureCase{"ClockSeedOddTall", "1733668800", "150", "101x257",
                                "b7141d6750cec0c78ddacd098610eb00f78add64d498b2a024740735a32a7a73"},
                    PictureCase{"NegativeSeedWindowSize", "-7", "37", "469x339",
                                "b1c394e570f477db3ed0e204e409a0a94b48f9cad70ff2f20b20956337ce94fb"},
                    PictureCase{"NegativeSeedFullHd", "-7", "37", "1920x1080",
                                "f0668da8477f1fddcd5650c45d4a2f34b55c091b48328f80eb02392741224fc7"},
                    PictureCase{"NegativeSeedOddTall", "-7", "37", "101x257",
                                "ca64a19e145fd57d2782794fd8132be51703ef760aab9352ebce7c6682016f97"},
                    PictureCase{"ModulusSeedWindowSize", "2147483647", "200", "469x339",
                                "f86a55f2523e509132ccf05ae2c36b94a8faedc13058ef9018adc61914e717f0"},
                    PictureCase{"ModulusSeedFullHd", "2147483647", "200", "1920x1080",
                                "5398d257c40837f284cf4cdcad562daf7386d4ff1cf1124a6dc506256e0b1314"},
                    PictureCase{"ModulusSeedOddTall", "2147483647", "200", "101x257",
                                "d1d481252474474f0169649238f0445feea0fac4d1340c810b4d9f93a44453bc"}),
    RowName());
