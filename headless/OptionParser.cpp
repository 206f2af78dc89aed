#include "OptionParser.h"

#include <cstdint>
#include <optional>

#include "DurationOption.h"
#include "NumberOption.h"
#include "VideoFile.h"
#include "VideoFormat.h"
#include "YuvPicture.h"

namespace {

std::string Quoted(std::string_view text)
{
    return "'" + std::string(text) + "'";
}

struct Refusal {
    std::string message;
};

class Reader {
public:
    explicit Reader(std::span<const std::string_view> args) : m_args(args) {}

    OptionParser::Result Run()
    {
        OptionParser::Result result;
        while (m_next < m_args.size()) {
            const std::string_view arg = m_args[m_next++];
            std::string_view name = arg;
            std::optional<std::string_view> inlineValue;
            if (const auto eq = arg.find('='); arg.starts_with("--") && eq != std::string_view::npos) {
                name = arg.substr(0, eq);
                inlineValue = arg.substr(eq + 1);
            }
            try {
                if (name == "--help" || name == "--version" || name == "--overwrite" || name == "--y4m-420") {
                    if (inlineValue) {
                        throw Refusal{std::string(name) + ": takes no value"};
                    }
                    if (name == "--overwrite" || name == "--y4m-420") {
                        (name == "--overwrite" ? result.options.overwrite : result.options.y4m420) = true;
                        continue;
                    }
                    result.action = name == "--help" ? OptionParser::Action::Help : OptionParser::Action::Version;
                    return result;
                }
                ReadOption(name, inlineValue, result.options);
            } catch (const Refusal& refusal) {
                result.action = OptionParser::Action::Refuse;
                result.error = refusal.message;
                return result;
            }
        }
        if (!result.options.WritesSomething()) {
            result.action = OptionParser::Action::Refuse;
            result.error = "no output: give --png, --png-sequence, --svg, --dump, --y4m or --video (see --help)";
            return result;
        }
        try {
            CheckTogether(result.options);
        } catch (const Refusal& refusal) {
            result.action = OptionParser::Action::Refuse;
            result.error = refusal.message;
        }
        return result;
    }

private:
    void ReadOption(std::string_view name, std::optional<std::string_view> inlineValue, RenderOptions& options)
    {
        const std::string option(name);
        if (name == "--seed") {
            options.seed = static_cast<std::int32_t>(Number(name, inlineValue, kSeedRange));
        } else if (name == "--frames" || name == "--duration") {
            if (!m_length.empty() && m_length != name) {
                throw Refusal{option + ": give --frames or --duration, not both"};
            }
            m_length = name;
            options.frames = name == "--frames"
                                 ? static_cast<int>(Number(name, inlineValue, {1, RenderOptions::kMaxFrames}))
                                 : Duration(name, inlineValue);
        } else if (name == "--slider") {
            options.slider = static_cast<int>(Number(name, inlineValue, kSliderRange));
        } else if (name == "--size") {
            ReadSize(Value(name, inlineValue, true), options);
        } else if (name == "--png") {
            options.png = Path(name, inlineValue, false);
        } else if (name == "--png-sequence") {
            options.pngSequence = Path(name, inlineValue, false);
        } else if (name == "--svg") {
            options.svg = Path(name, inlineValue, false);
        } else if (name == "--dump") {
            options.dump = Path(name, inlineValue, true);
        } else if (name == "--y4m") {
            options.y4m = Path(name, inlineValue, true);
        } else if (name == "--video") {
            options.video = Path(name, inlineValue, false);
        } else if (name == "--crf") {
            // Its range depends on the codec, known once --video is read.
            m_crf = Value(name, inlineValue, true);
        } else if (name.starts_with("-")) {
            throw Refusal{option + ": unknown option (see --help)"};
        } else {
            throw Refusal{Quoted(name) + ": unexpected argument; options begin with -- (see --help)"};
        }
    }

    std::int64_t Number(std::string_view name, std::optional<std::string_view> inlineValue, NumberRange range)
    {
        const auto value = WholeNumberIn(Value(name, inlineValue, true), range);
        if (!value) {
            throw Refusal{RangeRefusal(name, range, m_lastValue)};
        }
        return *value;
    }

    int Duration(std::string_view name, std::optional<std::string_view> inlineValue)
    {
        const std::string_view text = Value(name, inlineValue, true);
        const auto frames = FramesOfDuration(text, RenderOptions::kFramesPerSecond, RenderOptions::kMaxFrames);
        if (!frames) {
            throw Refusal{std::string(name) + ": expects seconds (12.5) or [H:]M:SS (0:30), more than 0 and at most " +
                          std::to_string(RenderOptions::kMaxFrames / RenderOptions::kFramesPerSecond) +
                          " seconds, got " + Quoted(text)};
        }
        return static_cast<int>(*frames);
    }

    // What only the options together can tell.
    void CheckTogether(RenderOptions& options) const
    {
        if (options.y4m420 && options.y4m.empty()) {
            throw Refusal{"--y4m-420: only with --y4m"};
        }
        if (m_crf && options.video.empty()) {
            throw Refusal{"--crf: only with --video"};
        }
        if (options.video.empty()) {
            return;
        }
        const VideoFormat* format = VideoFormat::ForPath(options.video);
        if (format == nullptr) {
            throw Refusal{"--video: expects a file name ending in " + VideoFormat::Extensions() + ", got " +
                          Quoted(options.video)};
        }
        if (m_crf) {
            const NumberRange range{0, format->crfHighest};
            const auto crf = WholeNumberIn(*m_crf, range);
            if (!crf) {
                throw Refusal{RangeRefusal("--crf", range, *m_crf) + " (" + format->codec + ")"};
            }
            options.crf = static_cast<int>(*crf);
        }
        const int width = YuvPicture::PlaneSide(options.width, YuvPicture::Chroma::Half);
        const int height = YuvPicture::PlaneSide(options.height, YuvPicture::Chroma::Half);
        if (!format->Holds(width, height)) {
            throw Refusal{"--video: " + std::to_string(width) + "x" + std::to_string(height) + " is more than " +
                          format->codec + " can hold: " + format->Limit()};
        }
        // Last: a bad request is refused for what it is, in every build.
        if (!VideoFile::Available()) {
            throw Refusal{"--video: this quillbrook-render was built without video support; --y4m - piped to a "
                          "video encoder does the same"};
        }
    }

    void ReadSize(std::string_view text, RenderOptions& options)
    {
        const auto x = text.find('x');
        std::optional<std::int64_t> width;
        std::optional<std::int64_t> height;
        if (x != std::string_view::npos) {
            width = WholeNumberIn(text.substr(0, x), {1, RenderOptions::kMaxSide});
            height = WholeNumberIn(text.substr(x + 1), {1, RenderOptions::kMaxSide});
        }
        if (!width || !height) {
            throw Refusal{"--size: expects WIDTHxHEIGHT, each from 1 to 16384, got " + Quoted(text)};
        }
        options.width = static_cast<int>(*width);
        options.height = static_cast<int>(*height);
    }

    // The option's value: after '=' or the next argument. Numbers may begin
    // with '-' (a negative seed), so for them the next argument is always
    // taken and the number check reports what it was.
    std::string_view Value(std::string_view name, std::optional<std::string_view> inlineValue, bool mayStartWithDash)
    {
        if (inlineValue) {
            m_lastValue = *inlineValue;
            return *inlineValue;
        }
        if (m_next >= m_args.size() || (!mayStartWithDash && m_args[m_next].starts_with("-"))) {
            throw Refusal{std::string(name) + ": missing value (see --help)"};
        }
        m_lastValue = m_args[m_next++];
        return m_lastValue;
    }

    // A file or directory name. Only the dump and the YUV4MPEG2 stream may
    // be "-"; any other name
    // beginning with '-' is far more likely a forgotten value than a file,
    // however it is given.
    std::string Path(std::string_view name, std::optional<std::string_view> inlineValue, bool dashIsStdout)
    {
        const std::string_view next =
            inlineValue ? *inlineValue : (m_next < m_args.size() ? m_args[m_next] : std::string_view());
        if ((!inlineValue && m_next >= m_args.size()) || (next.starts_with("-") && !(dashIsStdout && next == "-"))) {
            throw Refusal{std::string(name) + ": missing file name (see --help)"};
        }
        const std::string_view value = Value(name, inlineValue, true);
        if (value.empty()) {
            throw Refusal{std::string(name) + ": expects a file name, got ''"};
        }
        return std::string(value);
    }

    std::span<const std::string_view> m_args;
    std::size_t m_next = 0;
    std::string_view m_lastValue;
    std::string_view m_length;             // --frames or --duration, whichever was given
    std::optional<std::string_view> m_crf; // as given
};

} // namespace

OptionParser::Result OptionParser::Parse(std::span<const std::string_view> args)
{
    return Reader(args).Run();
}

std::string OptionParser::Usage()
{
    return R"(Usage: quillbrook-render [OPTION]...
Grows the Quillbrook plant without a window, frame by frame as the window does
but without waiting between frames, and writes it to files. The same seed and
options always give the same files.

  --seed N            seed of the generator, a whole number from -2147483648
                      to 2147483647 (default: the clock, as the window seeds)
  --frames N          frames to render, 1 to 10000000 (default 100)
  --duration T        or the frames of T seconds at the window's 50 a second:
                      12.5, 0:30 or 1:02:03 (nearest whole frame, at least 1)
  --size WxH          picture size in pixels, each side 1 to 16384
                      (default 469x340, the window's view)
  --slider V          the window's slider, 0 to 200: how long the trails stay
                      (default 150)
  --png FILE          the picture after the last frame, as PNG
  --png-sequence DIR  every frame as DIR/frame-000000.png onward (DIR and the
                      folders above it are made where missing; more digits
                      when there are a million frames or more)
  --overwrite         let --png-sequence replace the frame files already in
                      DIR (and remove those this run does not write again)
  --svg FILE          the last frame's plant as SVG, to print at any size
  --dump FILE         every frame's branch rules as JSON Lines; '-' writes
                      to standard output
  --y4m FILE          every frame as an uncompressed YUV4MPEG2 stream at 50
                      frames a second, 4:4:4 so that thin lines keep their
                      colour; '-' writes to standard output, for a video
                      encoder to read (ffmpeg -i - plant.webm)
  --y4m-420           4:2:0 instead, for tools that need it: each Cb and Cr
                      value is the mean of 2x2 pixels (C420jpeg, centred), and
                      an odd side grows by one pixel that repeats its last
  --video FILE        every frame as a video at 50 frames a second, by the
                      name's ending: .mp4 (H.264, index first, to play while
                      it loads), .webm (VP9) or .mkv (H.264); 4:2:0, an odd
                      side grown by one pixel as for --y4m-420; sizes up to
                      level 6.2 of the codec (8192x4352)
  --crf N             the video's quality, lower is better: 0 to 51 for H.264
                      (default 18), 0 to 63 for VP9 (default 31)
  --help              show this help and exit
  --version           show the version and exit

At least one of --png, --png-sequence, --svg, --dump, --y4m and --video is
needed, each to a destination of its own. A file appears whole or not at
all: it is written beside its place and put there only when the whole run has
succeeded, with the permissions and owner of the file it replaces; a failed
or interrupted run leaves every file as it was. /dev/stdout, /dev/stderr and
/dev/fd/N are written in place, as are pipes and devices (not by --video,
which needs a file it can seek in). PNG files carry the seed, the frame count
and the slider value as text fields.

Colours of --y4m and --video: Y'CbCr with the BT.709 matrix in limited range
(Y 16-235, Cb and Cr 16-240), in integer arithmetic, so equal runs give equal
bytes. A video says so in its stream. YUV4MPEG2 can say the range
(XCOLORRANGE=LIMITED) but has no field for the matrix: a tool that guesses
BT.601 for small pictures should be told, e.g. ffmpeg -i - -vf
setparams=colorspace=bt709:color_primaries=bt709:color_trc=bt709 out.webm

Exit status:
  0    success
  1    rendering or writing failed (no space, no permission, a read-only or
       missing folder, no memory), with the system's reason
  2    bad input: an unknown option or value, the same destination twice,
       '-' while standard output is closed or a terminal for --y4m, a folder
       given as a file, frames already in the --png-sequence folder without
       --overwrite, a video too large for its codec, or --video in a build
       without video support
  128+N  ended by signal N (Ctrl+C gives 130)

Examples:
  quillbrook-render --seed 1733668800 --frames 500 --png plant.png
  quillbrook-render --duration 0:30 --video plant.mp4
  quillbrook-render --duration 12.5 --y4m - | ffmpeg -i - plant.webm
)";
}
