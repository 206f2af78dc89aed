#include <cstdint>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "RowName.h"

#include "BackBuffer.h"
#include "Y4mWriter.h"
#include "YuvPicture.h"

namespace {

struct HeaderCase {
    const char* name;
    int width;
    int height;
    YuvPicture::Chroma chroma;
    const char* header;
};

class Y4mHeader : public testing::TestWithParam<HeaderCase> {};

} // namespace

// What a reader needs and nothing it might not know: size, 50 frames a
// second, progressive, square pixels, the chroma layout and the range.
TEST_P(Y4mHeader, SaysTheSizeRateLayoutAndRange)
{
    const HeaderCase& c = GetParam();
    EXPECT_EQ(Y4mWriter::Header(YuvPicture(c.width, c.height, c.chroma), 50), c.header);
}

INSTANTIATE_TEST_SUITE_P(Layouts, Y4mHeader,
                         testing::Values(HeaderCase{"FullChroma", 469, 340, YuvPicture::Chroma::Full,
                                                    "YUV4MPEG2 W469 H340 F50:1 Ip A1:1 C444 XCOLORRANGE=LIMITED\n"},
                                         HeaderCase{"HalfChroma", 640, 480, YuvPicture::Chroma::Half,
                                                    "YUV4MPEG2 W640 H480 F50:1 Ip A1:1 C420jpeg XCOLORRANGE=LIMITED\n"},
                                         HeaderCase{
                                             "HalfChromaPadded", 469, 339, YuvPicture::Chroma::Half,
                                             "YUV4MPEG2 W470 H340 F50:1 Ip A1:1 C420jpeg XCOLORRANGE=LIMITED\n"}),
                         RowName());

TEST(Y4mWriter, HeaderOnceThenEachFrameMarkedAndItsPlanesAsTheyLie)
{
    BackBuffer picture(5, 3);
    YuvPicture planes(5, 3, YuvPicture::Chroma::Half);
    std::string written;
    Y4mWriter writer(
        [&written](std::string_view bytes) {
            written += bytes;
            return true;
        },
        50);
    std::string expected = Y4mWriter::Header(planes, 50);
    for (const std::uint32_t colour : {0x000080U, 0xFF8000U}) {
        picture.FillRect(PixelColor{colour}, 0, 0, 5, 3);
        planes.Convert(picture);
        ASSERT_TRUE(writer.Write(planes));
        expected += "FRAME\n";
        expected.append(reinterpret_cast<const char*>(planes.Bytes().data()), planes.Bytes().size());
    }
    ASSERT_EQ(planes.Bytes().size(), 6U * 4U + 2U * 3U * 2U);
    EXPECT_EQ(written, expected);
}

TEST(Y4mWriter, ReportsASinkThatRefusesTheBytes)
{
    const YuvPicture planes(4, 4, YuvPicture::Chroma::Full);
    for (const int refused : {0, 1}) {
        int calls = 0;
        Y4mWriter writer([&](std::string_view /*bytes*/) { return calls++ != refused; }, 50);
        EXPECT_FALSE(writer.Write(planes)) << "refused write " << refused;
    }
}
