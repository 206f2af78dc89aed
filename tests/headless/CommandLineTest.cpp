#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <thread>

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "RowName.h"

#include "RenderRun.h"

namespace {

struct BadInputCase {
    const char* name;
    // After "--png DIR/a.png", with DIR put in place of every "@".
    QStringList args;
    const char* option;
};

class BadInput : public testing::TestWithParam<BadInputCase> {};

} // namespace

// Exit status 2, one line on standard error naming the option, and no file
// left behind, although the good --png before it was already open.
TEST_P(BadInput, ExitsWithTwoAndOneLineNamingTheOptionAndLeavesNoFile)
{
    QTemporaryDir dir;
    const QString d = dir.path();
    QFile plain(d + "/plain");
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    QStringList args{"--png", d + "/a.png"};
    for (const QString& arg : GetParam().args) {
        args << QString(arg).replace('@', d);
    }
    const RenderRun run = RenderRun::Of(args);
    EXPECT_TRUE(run.normalExit);
    EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
    EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
    EXPECT_TRUE(run.err.startsWith(QByteArray("quillbrook-render: ") + GetParam().option + ":"))
        << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(Entries(d), QStringList{"plain"});
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, BadInput,
    testing::Values(BadInputCase{"FramesInWords", {"--frames", "ten"}, "--frames"},
                    BadInputCase{"UnknownOption", {"--fps", "60"}, "--fps"},
                    BadInputCase{"SvgOnAFolder", {"--svg", "@"}, "--svg"},
                    BadInputCase{"SequenceInAFile", {"--dump", "-", "--png-sequence", "@/plain"}, "--png-sequence"},
                    BadInputCase{"FramesAndDuration", {"--frames", "5", "--duration", "1"}, "--duration"},
                    BadInputCase{"CrfOutOfRange", {"--video", "@/v.mp4", "--crf", "52"}, "--crf"},
                    BadInputCase{"UnknownVideoExtension", {"--video", "@/v.avi"}, "--video"},
                    BadInputCase{
                        "VideoLargerThanItsCodecHolds", {"--video", "@/v.webm", "--size", "16384x16384"}, "--video"},
                    BadInputCase{"Y4mOnTheSameFileAsPng", {"--y4m", "@/a.png"}, "--y4m"}),
    RowName());

TEST(CommandLine, HelpAndVersion)
{
    EXPECT_TRUE(RenderRun::Of({"--help"}).out.startsWith("Usage: quillbrook-render"));
    EXPECT_EQ(RenderRun::Of({"--version"}).out, QByteArray("quillbrook-render " QUILLBROOK_VERSION "\n"));
}

TEST(CommandLine, SameSeedSameBytesAndAnotherSeedAnotherPlant)
{
    QTemporaryDir dir;
    const auto render = [&dir](const QString& name, const QString& seed) {
        const QString base = dir.path() + "/" + name;
        const RenderRun run = RenderRun::Of({"--seed", seed, "--frames", "60", "--size", "240x180", "--png",
                                             base + ".png", "--svg", base + ".svg", "--dump", base + ".jsonl"});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        return base;
    };
    const QString a = render("a", "424242");
    const QString b = render("b", "424242");
    const QString other = render("other", "424243");
    for (const char* ext : {".png", ".svg", ".jsonl"}) {
        const QByteArray bytes = FileBytes(a + ext);
        EXPECT_FALSE(bytes.isEmpty()) << ext;
        EXPECT_EQ(bytes, FileBytes(b + ext)) << ext;
        EXPECT_NE(bytes, FileBytes(other + ext)) << ext;
    }
}

TEST(CommandLine, ExistingPipeIsWrittenThroughNotReplaced)
{
    QTemporaryDir dir;
    QTemporaryDir elsewhere;
    const QByteArray fifo = QFile::encodeName(dir.path() + "/pipe");
    // A second name for the pipe, which a faulty run cannot replace.
    const QByteArray sameFifo = QFile::encodeName(elsewhere.path() + "/pipe");
    ASSERT_EQ(mkfifo(fifo.constData(), 0600), 0);
    ASSERT_EQ(link(fifo.constData(), sameFifo.constData()), 0);
    QByteArray received;
    std::thread reader([&] {
        QFile in(QString::fromUtf8(fifo));
        if (in.open(QIODevice::ReadOnly)) {
            received = in.readAll();
        }
    });
    const RenderRun run = RenderRun::Of({"--seed", "9", "--frames", "3", "--svg", QString::fromUtf8(fifo)});
    // Should the run never open the pipe, this lets the reader go.
    if (const int unblock = open(sameFifo.constData(), O_WRONLY | O_NONBLOCK); unblock >= 0) {
        close(unblock);
    }
    reader.join();

    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    struct stat info {};
    ASSERT_EQ(stat(fifo.constData(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    EXPECT_EQ(received.count("<line "), 1365);
    EXPECT_EQ(Entries(dir.path()), QStringList{"pipe"});
}
