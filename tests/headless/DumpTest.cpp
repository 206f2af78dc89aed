#include <QCryptographicHash>

#include <gtest/gtest.h>

#include "RowName.h"

#include "RenderRun.h"

namespace {

struct DumpCase {
    const char* name;
    const char* seed;
    const char* sha256; // of the whole dump
};

class DumpHash : public testing::TestWithParam<DumpCase> {};

} // namespace

// The dumps the plant has always made: 120 frames, three cycles begun, pinned
// byte for byte. One JSON object a line, newline-terminated, frame after
// frame: the frame's number and its rules, each double in the fewest digits
// that read back as exactly itself.
TEST_P(DumpHash, DumpIsTheOneItHasAlwaysBeen)
{
    const RenderRun run = RenderRun::Of({"--seed", GetParam().seed, "--frames", "120", "--dump", "-"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(QCryptographicHash::hash(run.out, QCryptographicHash::Sha256).toHex(), QByteArray(GetParam().sha256));
}

INSTANTIATE_TEST_SUITE_P(Dumps, DumpHash,
                         testing::Values(DumpCase{"ClockSeed", "1733668800",
                                                  "d7d4f9d75e8e62a20f1eb7728bf037cab353b4cd3be79825e92169c7f6fba76f"},
                                         DumpCase{"NegativeSeed", "-7",
                                                  "75482724f9eeb201bba2f03c7013a10763835ca390da369f24ff3927c0a6747d"},
                                         DumpCase{"ModulusSeed", "2147483647",
                                                  "c8fecc34a0c8049d0f872990bf0955c1e46a1bc06a25f969146dbe68fcdbb9d3"}),
                         RowName());
