#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "BackBuffer.h"
#include "BranchRule.h"
#include "Destination.h"
#include "FrameSequence.h"
#include "OutputFile.h"
#include "RenderOptions.h"

// One run of the command-line renderer, in steps that each end the run when
// they fail: plan every destination (bad input is refused before anything
// is opened), open every output, render the frames (streaming the dump and
// the sequence), write the pictures, finish every file, and only then put
// them all in place. Problems go to `errors` as one line each, prefixed with
// the program's name and naming the option. A pending interruption ends the
// run at the next step, with nothing put in place.
class RenderJob {
public:
    enum class Outcome { Success, Failure, BadInput, Interrupted };

    RenderJob(RenderOptions options, std::ostream& errors);

    // Shows a progress bar on `errors` for runs longer than a second.
    void SetProgressShown(bool shown) { m_progressShown = shown; }

    [[nodiscard]] Outcome Run();

private:
    // One of --png, --svg and --dump.
    struct Output {
        const char* option;
        std::string path; // as given
        Destination destination;
        std::unique_ptr<OutputFile> file;
    };

    [[nodiscard]] Outcome Plan();
    [[nodiscard]] Outcome Open();
    [[nodiscard]] Outcome Render();
    [[nodiscard]] Outcome WritePictures();
    [[nodiscard]] Outcome Finish();
    [[nodiscard]] Outcome Commit();

    // Reports a failure of `option` (as an interruption, when one is pending).
    Outcome Failed(const std::string& option, const std::string& message);
    Outcome FailedWriting(const Output& output, const std::string& reason);
    [[nodiscard]] Output* Find(const char* option);

    RenderOptions m_options;
    std::ostream& m_errors;
    bool m_progressShown = false;
    std::int32_t m_seed = 0;
    std::vector<Output> m_outputs; // in the order --png, --svg, --dump
    std::optional<FrameSequence> m_sequence;
    std::unique_ptr<BackBuffer> m_picture;
    std::vector<BranchRule> m_lastRules;
};
