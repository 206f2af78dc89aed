#include "CommandLine.h"

namespace {

struct Refusal {
    std::string message;
};

class Reader {
public:
    explicit Reader(std::span<const std::string> arguments) : m_arguments(arguments) {}

    CommandLine::Result Run()
    {
        CommandLine::Result result;
        try {
            while (m_next < m_arguments.size()) {
                std::string name = m_arguments[m_next++];
                std::optional<std::string> value;
                if (const auto equals = name.find('='); name.starts_with("--") && equals != std::string::npos) {
                    value = name.substr(equals + 1);
                    name.resize(equals);
                }
                if (name == "--help" || name == "-h" || name == "/?") {
                    return {CommandLine::Action::Help, {}, CommandLine::Usage()};
                }
                if (name == "--version") {
                    return {CommandLine::Action::Version, {}, {}};
                }
                Read(name, value, result.options);
            }
        } catch (const Refusal& refusal) {
            return {CommandLine::Action::Refuse, {}, refusal.message};
        }
        return result;
    }

private:
    void Read(const std::string& name, const std::optional<std::string>& inlineValue, WindowOptions& options)
    {
        if (name == "--seed") {
            options.seed = static_cast<std::int32_t>(Number(name, inlineValue, kSeedRange));
        } else if (name == "--slider") {
            options.slider = static_cast<int>(Number(name, inlineValue, kSliderRange));
        } else if (name == "--fullscreen" && !inlineValue) {
            options.fullScreen = true;
        } else if (name == "--report" && !inlineValue) {
            options.report = true;
        } else if (name.starts_with("-") || name.starts_with("/")) {
            throw Refusal{name + ": unknown option (see --help)"};
        } else {
            throw Refusal{"'" + name + "': unexpected argument; options begin with -- (see --help)"};
        }
    }

    std::int64_t Number(const std::string& name, const std::optional<std::string>& inlineValue, NumberRange range)
    {
        if (!inlineValue && m_next == m_arguments.size()) {
            throw Refusal{name + ": missing value (see --help)"};
        }
        const std::string& text = inlineValue ? *inlineValue : m_arguments[m_next++];
        const auto value = WholeNumberIn(text, range);
        if (!value) {
            throw Refusal{RangeRefusal(name, range, text)};
        }
        return *value;
    }

    std::span<const std::string> m_arguments;
    std::size_t m_next = 0;
};

} // namespace

CommandLine::Result CommandLine::Parse(std::span<const std::string> arguments)
{
    return Reader(arguments).Run();
}

std::string CommandLine::Usage()
{
    return R"(Usage: quillbrook [OPTION]...
Shows an endlessly changing fractal plant in a window.

  --seed N        seed of the plant's motion, a whole number from
                  -2147483648 to 2147483647 (default: the clock)
  --slider V      the slider's starting value, 0 to 200: how long the
                  trails stay (default 150)
  --fullscreen    start full screen (F11 or Escape leaves it)
  --report        print the window's layout and every slider label to
                  standard output
  --help          show this help and exit
  --version       show the version and exit

Keys: Left/Up and Right/Down move the slider by 5, Page Up and Page Down by
25, Home and End to 0 and 200; Space pauses; F11 or a double-click switches
full screen; F1 shows help and this run's seed; Escape or Enter closes the
window.

Exit status: 0 when closed, 1 when no window could be made, 2 on bad input.
)";
}
