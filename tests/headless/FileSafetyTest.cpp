// quillbrook-render never loses or corrupts a file: the real program, tried
// as a careless or hostile user would, one group of tests a class of fault.

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <QImage>

#include <gtest/gtest.h>

#include "RowName.h"
#include "Spawned.h"
#include "VideoFile.h"

using namespace std::chrono_literals;

namespace {

using Names = std::vector<std::string>;

// A folder of the test's own, removed with everything in it.
class Folder {
public:
    Folder()
    {
        std::string name = std::filesystem::temp_directory_path().string() + "/quillbrook-safety-XXXXXX";
        m_path = mkdtemp(name.data()) != nullptr ? name : std::string();
    }
    ~Folder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;

    [[nodiscard]] std::string operator/(const std::string& name) const { return m_path + "/" + name; }
    [[nodiscard]] const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

// A 68 KB file system of its own, which the outputs below do not fit. Only
// root may mount one.
class SmallDisk {
public:
    explicit SmallDisk(const char* options = "size=68k")
        : m_mounted(mount("tmpfs", m_folder.Path().c_str(), "tmpfs", 0, options) == 0)
    {
    }
    ~SmallDisk()
    {
        if (m_mounted) {
            umount(m_folder.Path().c_str());
        }
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    [[nodiscard]] bool Mounted() const { return m_mounted; }
    [[nodiscard]] std::string operator/(const std::string& name) const { return m_folder / name; }
    [[nodiscard]] const std::string& Path() const { return m_folder.Path(); }

private:
    Folder m_folder;
    bool m_mounted;
};

#define SKIP_UNLESS_VIDEO(option)                                                                                      \
    if (std::string_view(option) == "--video" && !VideoFile::Available()) {                                            \
        GTEST_SKIP() << "built without video support";                                                                 \
    }

#define SKIP_UNLESS_MOUNTED(disk)                                                                                      \
    if (!(disk).Mounted()) {                                                                                           \
        GTEST_SKIP() << "needs root, to mount a small tmpfs (as CI runs it)";                                          \
    }

// Every name in a folder, dot files (where temporaries would hide) included.
Names Entries(const std::string& folder)
{
    Names names;
    if (DIR* listing = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(listing)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") {
                names.push_back(name);
            }
        }
        closedir(listing);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string Bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Write(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

Spawned::Result Render(std::vector<std::string> args)
{
    return Spawned::Run(std::move(args));
}

// `args` with the first "@" in each replaced by the folder's path.
std::vector<std::string> InFolder(std::vector<std::string> args, const Folder& folder)
{
    for (std::string& arg : args) {
        if (const auto at = arg.find('@'); at != std::string::npos) {
            arg.replace(at, 1, folder.Path());
        }
    }
    return args;
}

// One line, naming the option and giving the system's reason.
void ExpectOneLine(const Spawned::Result& run, const std::string& option, const std::string& reason)
{
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_EQ(run.err.rfind("quillbrook-render: " + option + ": ", 0), 0U) << run.err;
    EXPECT_NE(run.err.find(reason), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("Unknown error"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("libpng"), std::string::npos) << run.err;
}

void FillUp(const SmallDisk& disk)
{
    const int fd = open((disk / "filler").c_str(), O_WRONLY | O_CREAT, 0600);
    const std::string block(4096, 'x');
    while (write(fd, block.data(), block.size()) > 0) {
    }
    close(fd);
}

} // namespace

// Full disk: status 1 with the system's reason, and every file as it was.

namespace {

struct DiskCase {
    const char* name;
    std::vector<std::string> args; // the output's name follows
    const char* option;
    bool fullBeforehand;
    const char* output = "out";
};

class FullDisk : public testing::TestWithParam<DiskCase> {};

} // namespace

TEST_P(FullDisk, FailsWithTheReasonAndLeavesEveryFileAsItWas)
{
    const DiskCase& c = GetParam();
    SKIP_UNLESS_VIDEO(c.option);
    SmallDisk disk;
    SKIP_UNLESS_MOUNTED(disk);
    Write(disk / "out", "what was there\n");
    if (c.fullBeforehand) {
        FillUp(disk);
    }
    const Names before = Entries(disk.Path());
    std::vector<std::string> args = c.args;
    args.push_back(disk / c.output);
    const Spawned::Result run = Render(args);
    EXPECT_TRUE(run.exited);
    EXPECT_EQ(run.status, 1);
    ExpectOneLine(run, c.option, "No space left on device");
    EXPECT_EQ(Entries(disk.Path()), before);
    EXPECT_EQ(Bytes(disk / "out"), "what was there\n");
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, FullDisk,
    testing::Values(DiskCase{"DumpLargerThanTheDisk", {"--seed", "1", "--frames", "400", "--dump"}, "--dump", false},
                    DiskCase{"PngLargerThanTheDisk", {"--seed", "1", "--frames", "100", "--png"}, "--png", false},
                    DiskCase{"DumpOnAFullDisk", {"--seed", "1", "--frames", "3", "--dump"}, "--dump", true},
                    DiskCase{"SequenceLargerThanTheDisk",
                             {"--seed", "1", "--frames", "100", "--png-sequence"},
                             "--png-sequence",
                             false,
                             "a/seq"},
                    DiskCase{"Y4mLargerThanTheDisk", {"--seed", "1", "--frames", "5", "--y4m"}, "--y4m", false},
                    // Even sides: an odd one would add a line about padding.
                    DiskCase{"VideoLargerThanTheDisk",
                             {"--seed", "1", "--frames", "100", "--size", "470x340", "--video"},
                             "--video",
                             false,
                             "out.mp4"},
                    DiskCase{"VideoOnAFullDisk",
                             {"--seed", "1", "--frames", "3", "--size", "64x64", "--video"},
                             "--video",
                             true,
                             "out.mkv"}),
    RowName());

// One descriptor, one output; and one failing output keeps every other from
// replacing anything.

TEST(OneDescriptorOneOutput, DumpToAClosedStandardOutputIsRefusedAtTheStart)
{
    Folder folder;
    Write(folder / "out.png", "old");
    const Spawned::Result run =
        Spawned::Run({"--frames", "2", "--png", folder / "out.png", "--dump", "-"}, Spawned::Output::Closed);
    EXPECT_EQ(run.status, 2);
    ExpectOneLine(run, "--dump", "standard output is not open");
    EXPECT_EQ(Entries(folder.Path()), Names{"out.png"});
    EXPECT_EQ(Bytes(folder / "out.png"), "old");
}

TEST(OneDescriptorOneOutput, AFailingOutputLeavesTheOthersUnreplaced)
{
    Folder folder;
    Write(folder / "out.png", "old");
    const Spawned::Result run = Render({"--frames", "2", "--png", folder / "out.png", "--dump", "/dev/full"});
    EXPECT_EQ(run.status, 1);
    ExpectOneLine(run, "--dump", "No space left on device");
    EXPECT_EQ(Entries(folder.Path()), Names{"out.png"});
    EXPECT_EQ(Bytes(folder / "out.png"), "old");
}

TEST(OneDescriptorOneOutput, Y4mToATerminalIsRefusedAtTheStart)
{
    const int terminal = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(terminal, 0);
    ASSERT_EQ(grantpt(terminal), 0);
    ASSERT_EQ(unlockpt(terminal), 0);
    std::array<char, 64> name{};
    ASSERT_EQ(ptsname_r(terminal, name.data(), name.size()), 0);
    const int screen = open(name.data(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(screen, 0);
    const Spawned::Result run = Spawned::Run({"--frames", "2", "--y4m", "-"}, Spawned::Output::Given, screen);
    close(screen);
    close(terminal);
    EXPECT_EQ(run.status, 2);
    ExpectOneLine(run, "--y4m", "is a terminal");
}

TEST(OneDescriptorOneOutput, VideoToAPipeIsRefusedAtTheStart)
{
    SKIP_UNLESS_VIDEO("--video");
    Folder folder;
    ASSERT_EQ(mkfifo((folder / "pipe.mp4").c_str(), 0600), 0);
    const Spawned::Result run = Render({"--frames", "2", "--video", folder / "pipe.mp4"});
    EXPECT_EQ(run.status, 2);
    ExpectOneLine(run, "--video", "seek");
    EXPECT_EQ(Entries(folder.Path()), Names{"pipe.mp4"});
}

// Standard output that is a file is written through, never replaced.

TEST(StandardOutputThatIsAFile, AppendsToTheLogItIsRedirectedTo)
{
    Folder folder;
    Write(folder / "log", "earlier line\n");
    const int log = open((folder / "log").c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    const Spawned::Result run =
        Spawned::Run({"--seed", "5", "--frames", "2", "--dump", "/dev/stdout"}, Spawned::Output::Given, log);
    close(log);
    const Spawned::Result alone = Render({"--seed", "5", "--frames", "2", "--dump", "-"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Bytes(folder / "log"), "earlier line\n" + alone.out);
}

TEST(StandardOutputThatIsAFile, KeepsWhatComesBeforeAndAfterInTheSameFile)
{
    Folder folder;
    const int out = open((folder / "f").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const std::string script = "echo header; \"$0\" --seed 5 --frames 2 --dump /dev/stdout; "
                               "\"$0\" --seed 6 --frames 1 --dump /dev/fd/5 5>&1; echo footer";
    const Spawned::Result run =
        Spawned::Run({"-c", script, QUILLBROOK_RENDER_PATH}, Spawned::Output::Given, out, "/bin/sh");
    close(out);
    const std::string five = Render({"--seed", "5", "--frames", "2", "--dump", "-"}).out;
    const std::string six = Render({"--seed", "6", "--frames", "1", "--dump", "-"}).out;
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Bytes(folder / "f"), "header\n" + five + six + "footer\n");
}

// Signals at every stage end the run promptly, by the signal, with every
// destination as it was and no temporaries left.

namespace {

// Whether a name beginning with `prefix` has appeared in `folder` and holds
// some bytes.
bool TemporaryBegun(const std::string& folder, const std::string& prefix)
{
    for (const std::string& name : Entries(folder)) {
        struct stat status {};
        if (name.rfind(prefix, 0) == 0 && stat((folder + "/" + name).c_str(), &status) == 0 &&
            (S_ISDIR(status.st_mode) ? Entries(folder + "/" + name).size() > 1 : status.st_size > 0)) {
            return true;
        }
    }
    return false;
}

} // namespace

namespace {

// Where the run writes: files in the test's folder, a named pipe "pipe" there
// that nothing reads, or a standard output that nothing reads.
enum class Into { Files, Fifo, StalledPipe };

struct SignalCase {
    const char* name;
    int signal;
    const char* args;                   // split at spaces; "@" stands for the test's folder
    const char* old;                    // a destination there beforehand, or nullptr
    const char* begun;                  // the temporary that shows the stage has come, or nullptr
    std::chrono::milliseconds settle{}; // the wait without such a temporary
    Into into = Into::Files;
};

class Signals : public testing::TestWithParam<SignalCase> {};

} // namespace

TEST_P(Signals, EndTheRunByTheSignalLeavingEveryDestinationAsItWas)
{
    const SignalCase& c = GetParam();
    std::istringstream words(c.args);
    const std::vector<std::string> args{std::istream_iterator<std::string>(words), {}};
    if (std::find(args.begin(), args.end(), "--video") != args.end()) {
        SKIP_UNLESS_VIDEO("--video");
    }
    Folder folder;
    if (c.old != nullptr) {
        Write(folder / c.old, "old");
    }
    if (c.into == Into::Fifo) {
        ASSERT_EQ(mkfifo((folder / "pipe").c_str(), 0600), 0);
    }
    std::array<int, 2> stalled{-1, -1};
    if (c.into == Into::StalledPipe) {
        ASSERT_EQ(pipe2(stalled.data(), O_CLOEXEC), 0);
    }
    const Names before = Entries(folder.Path());
    Spawned render(InFolder(args, folder),
                   c.into == Into::StalledPipe ? Spawned::Output::Given : Spawned::Output::Captured, stalled[1]);
    if (c.begun != nullptr) {
        ASSERT_TRUE(Spawned::WaitFor([&] { return TemporaryBegun(folder.Path(), c.begun); }));
    } else {
        std::this_thread::sleep_for(c.settle);
    }
    render.Signal(c.signal);
    const Spawned::Result run = render.Wait(5s);
    if (c.into == Into::StalledPipe) {
        close(stalled[0]);
        close(stalled[1]);
    }
    EXPECT_TRUE(run.EndedBy(c.signal)) << run.status << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(Entries(folder.Path()), before);
    if (c.old != nullptr) {
        EXPECT_EQ(Bytes(folder / c.old), "old");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Stages, Signals,
    testing::Values(
        SignalCase{"InterruptDuringTheFinalEncode", SIGINT, "--size 8192x8192 --frames 2 --png @/big.png", "big.png",
                   ".big.png."},
        SignalCase{"TerminateWhileWaitingForAPipesReader", SIGTERM, "--frames 3 --dump @/pipe", nullptr, nullptr, 300ms,
                   Into::Fifo},
        // A second: long enough to fill the pipe.
        SignalCase{"TerminateWhileWritingToAStalledPipe", SIGTERM, "--frames 10000000 --dump -", nullptr, nullptr, 1s,
                   Into::StalledPipe},
        SignalCase{"TerminateAmidTheFrames", SIGTERM,
                   "--frames 10000000 --size 32x24 --dump @/a.jsonl --png @/a.png --svg @/a.svg --png-sequence @/seq",
                   "a.png", ".seq."},
        SignalCase{"TerminateAmidTheVideo", SIGTERM, "--frames 10000000 --size 320x240 --video @/a.mp4", "a.mp4",
                   ".a.mp4."}),
    RowName());

// The same destination twice is refused before anything is written.

namespace {

struct TwiceCase {
    const char* name;
    std::vector<std::string> args; // "@" stands for the test's folder
    const char* option;            // the one refused
};

class SameDestinationTwice : public testing::TestWithParam<TwiceCase> {};

} // namespace

TEST_P(SameDestinationTwice, IsRefusedWithStatusTwo)
{
    Folder folder;
    Write(folder / "a", "old");
    ASSERT_EQ(symlink("a", (folder / "link").c_str()), 0);
    ASSERT_EQ(mkdir((folder / "seq").c_str(), 0755), 0);
    std::vector<std::string> args{"--frames", "2"};
    const std::vector<std::string> given = InFolder(GetParam().args, folder);
    args.insert(args.end(), given.begin(), given.end());
    const Spawned::Result run = Render(args);
    EXPECT_EQ(run.status, 2);
    ExpectOneLine(run, GetParam().option, "'");
    EXPECT_EQ(Entries(folder.Path()), (Names{"a", "link", "seq"}));
    EXPECT_TRUE(Entries(folder / "seq").empty());
    EXPECT_EQ(Bytes(folder / "a"), "old");
}

INSTANTIATE_TEST_SUITE_P(
    Destinations, SameDestinationTwice,
    testing::Values(
        TwiceCase{"PngAndSvg", {"--png", "@/x", "--svg", "@/x"}, "--svg"},
        TwiceCase{"PngAndSequence", {"--png", "@/x", "--png-sequence", "@/x"}, "--png"},
        TwiceCase{"FileAndALinkToIt", {"--png", "@/a", "--svg", "@/link"}, "--svg"},
        TwiceCase{"StandardOutputTwice", {"--svg", "/dev/stdout", "--dump", "-"}, "--dump"},
        TwiceCase{"AFrameOfTheSequence", {"--png", "@/seq/frame-000001.png", "--png-sequence", "@/seq"}, "--png"}),
    RowName());

// Reasons in words, and the exit status --help gives for each.

namespace {

struct StatusCase {
    const char* name;
    std::vector<std::string> args; // "@" stands for the test's folder
    int status;
    const char* option;
    const char* reason;
};

class ExitStatus : public testing::TestWithParam<StatusCase> {};

} // namespace

TEST_P(ExitStatus, SaysWhyInOneLine)
{
    Folder folder;
    Write(folder / "plain", "");
    std::vector<std::string> args{"--frames", "2"};
    const std::vector<std::string> given = InFolder(GetParam().args, folder);
    args.insert(args.end(), given.begin(), given.end());
    const Spawned::Result run = Render(args);
    EXPECT_EQ(run.status, GetParam().status);
    ExpectOneLine(run, GetParam().option, GetParam().reason);
    EXPECT_EQ(Entries(folder.Path()), Names{"plain"});
}

INSTANTIATE_TEST_SUITE_P(
    Failures, ExitStatus,
    testing::Values(
        StatusCase{
            "MissingFolderIsAWriteFailure", {"--png", "@/missing/a.png"}, 1, "--png", "No such file or directory"},
        StatusCase{"FileAsFolderIsAWriteFailure", {"--dump", "@/plain/a.jsonl"}, 1, "--dump", "Not a directory"}),
    RowName());

TEST(ExitStatus, ReadOnlyFileSystemIsAWriteFailure)
{
    SmallDisk disk("size=68k,ro");
    SKIP_UNLESS_MOUNTED(disk);
    const Spawned::Result run = Render({"--frames", "2", "--png", disk / "a.png"});
    EXPECT_EQ(run.status, 1);
    ExpectOneLine(run, "--png", "Read-only file system");
}

TEST(ExitStatus, FolderWithoutWritePermissionIsAWriteFailure)
{
    if (geteuid() == 0) {
        GTEST_SKIP() << "root may write anywhere; the read-only file system stands in for this";
    }
    Folder folder;
    Write(folder / "a.png", "old");
    chmod(folder.Path().c_str(), 0555);
    const Spawned::Result run = Render({"--frames", "2", "--png", folder / "a.png"});
    chmod(folder.Path().c_str(), 0755);
    EXPECT_EQ(run.status, 1);
    ExpectOneLine(run, "--png", "must be writable");
    EXPECT_EQ(Bytes(folder / "a.png"), "old");
}

// Names are bytes.

TEST(NamesAreBytes, FilesGetExactlyTheNamesGiven)
{
    Folder folder;
    const std::string first = "\xff\xfe.png";
    const std::string second = "\xfe\xff.png";
    EXPECT_EQ(Render({"--frames", "2", "--png", folder / first}).status, 0);
    EXPECT_EQ(Render({"--frames", "2", "--png", folder / second}).status, 0);
    EXPECT_EQ(Entries(folder.Path()), (Names{second, first}));
}

// Old frames are not mixed with new ones.

namespace {

std::string SeedOf(const std::string& png)
{
    return QImage(QString::fromStdString(png)).text("Seed").toStdString();
}

} // namespace

TEST(OldFrames, AreRefusedUnlessOverwriteClearsThem)
{
    Folder folder;
    ASSERT_EQ(Render({"--seed", "1", "--frames", "5", "--size", "8x8", "--png-sequence", folder / "s"}).status, 0);
    const Names five = Entries(folder / "s");
    ASSERT_EQ(five.size(), 5U);

    const Spawned::Result refused =
        Render({"--seed", "2", "--frames", "3", "--size", "8x8", "--png-sequence", folder / "s"});
    EXPECT_EQ(refused.status, 2);
    ExpectOneLine(refused, "--png-sequence", "--overwrite");
    EXPECT_EQ(Entries(folder / "s"), five);
    EXPECT_EQ(SeedOf(folder / "s/frame-000004.png"), "1");

    const Spawned::Result replaced =
        Render({"--seed", "2", "--frames", "3", "--size", "8x8", "--png-sequence", folder / "s", "--overwrite"});
    EXPECT_EQ(replaced.status, 0) << replaced.err;
    EXPECT_EQ(Entries(folder / "s"), (Names{"frame-000000.png", "frame-000001.png", "frame-000002.png"}));
    EXPECT_EQ(SeedOf(folder / "s/frame-000000.png"), "2");
}

TEST(OldFrames, AFailedRunRemovesTheFoldersItMade)
{
    Folder folder;
    const Spawned::Result run =
        Render({"--frames", "3", "--size", "8x8", "--png-sequence", folder / "new/a/seq", "--dump", "/dev/full"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(Entries(folder.Path()).empty());
}

// Replacing a file keeps what the user set on it.

TEST(ReplacedFile, KeepsItsPermissionsAndOwnerAndALinkStaysALink)
{
    Folder folder;
    for (const auto& [name, mode] : {std::pair{"read-only.png", 0444}, {"setgid.png", 02664}}) {
        Write(folder / name, "old");
        ASSERT_EQ(chmod((folder / name).c_str(), static_cast<mode_t>(mode)), 0);
    }
    Write(folder / "target.png", "old");
    ASSERT_EQ(symlink("target.png", (folder / "link.png").c_str()), 0);
    const bool root = geteuid() == 0;
    if (root) {
        ASSERT_EQ(chown((folder / "read-only.png").c_str(), 65534, 65534), 0);
    }

    for (const char* name : {"read-only.png", "setgid.png", "link.png"}) {
        const Spawned::Result run = Render({"--frames", "2", "--png", folder / name});
        EXPECT_EQ(run.status, 0) << name << ": " << run.err;
    }

    struct stat status {};
    ASSERT_EQ(stat((folder / "read-only.png").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0444U);
    if (root) {
        EXPECT_EQ(status.st_uid, 65534U);
        EXPECT_EQ(status.st_gid, 65534U);
    }
    ASSERT_EQ(stat((folder / "setgid.png").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 02664U);
    ASSERT_EQ(lstat((folder / "link.png").c_str(), &status), 0);
    EXPECT_TRUE(S_ISLNK(status.st_mode));
    for (const char* name : {"read-only.png", "setgid.png", "target.png"}) {
        EXPECT_EQ(Bytes(folder / name).substr(1, 3), "PNG") << name;
    }
}

// Only the work asked for: a dump or an SVG needs no pixels.

namespace {

struct WorkCase {
    const char* name;
    std::vector<std::string> args;
};

class OnlyTheWorkAskedFor : public testing::TestWithParam<WorkCase> {};

} // namespace

TEST_P(OnlyTheWorkAskedFor, TakesNoMemoryForAPictureItDoesNotWrite)
{
    Folder folder;
    std::vector<std::string> args{"--seed", "3", "--frames", "50", "--size", "16384x16384"};
    for (const std::string& arg : GetParam().args) {
        args.push_back(arg == "@" ? folder / "out" : arg);
    }
    const Spawned::Result run = Render(args);
    EXPECT_EQ(run.status, 0) << run.err;
    // A picture of that size alone would take a gigabyte.
    EXPECT_LT(run.peakKilobytes, 300 * 1024);
}

INSTANTIATE_TEST_SUITE_P(Outputs, OnlyTheWorkAskedFor,
                         testing::Values(WorkCase{"Dump", {"--dump", "@"}}, WorkCase{"Svg", {"--svg", "@"}}),
                         RowName());
