#include "OptionParser.h"

#include <cstdint>
#include <optional>

#include "NumberOption.h"

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
                if (name == "--help" || name == "--version" || name == "--overwrite") {
                    if (inlineValue) {
                        throw Refusal{std::string(name) + ": takes no value"};
                    }
                    if (name == "--overwrite") {
                        result.options.overwrite = true;
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
            result.error = "no output: give --png, --png-sequence, --svg or --dump (see --help)";
        }
        return result;
    }

private:
    void ReadOption(std::string_view name, std::optional<std::string_view> inlineValue, RenderOptions& options)
    {
        const std::string option(name);
        if (name == "--seed") {
            options.seed = static_cast<std::int32_t>(Number(name, inlineValue, kSeedRange));
        } else if (name == "--frames") {
            options.frames = static_cast<int>(Number(name, inlineValue, {1, RenderOptions::kMaxFrames}));
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

    // A file or directory name. Only the dump may be "-"; any other name
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
  --help              show this help and exit
  --version           show the version and exit

At least one of --png, --png-sequence, --svg and --dump is needed, each to a
destination of its own. A file appears whole or not at all: it is written
beside its place and put there only when the whole run has succeeded, with
the permissions and owner of the file it replaces; a failed or interrupted
run leaves every file as it was. /dev/stdout, /dev/stderr and /dev/fd/N are
written in place, as are pipes and devices. PNG files carry the seed, the
frame count and the slider value as text fields.

Exit status:
  0    success
  1    rendering or writing failed (no space, no permission, a read-only or
       missing folder, no memory), with the system's reason
  2    bad input: an unknown option or value, the same destination twice,
       '-' while standard output is closed, a folder given as a file, or
       frames already in the --png-sequence folder without --overwrite
  128+N  ended by signal N (Ctrl+C gives 130)

Example:
  quillbrook-render --seed 1733668800 --frames 500 --png plant.png
)";
}
