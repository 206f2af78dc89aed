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
#include "ProgressBar.h"
#include "RenderOptions.h"
#include "VideoFile.h"
#include "YuvPicture.h"

// One run of the command-line renderer, in steps that each end the run when
// they fail: plan every destination (bad input is refused before anything
// is opened), open every output, render the frames (streaming the dump, the
// sequence, the YUV4MPEG2 stream and the video), write the pictures, finish
// every file (the video's encoder emptied first), and only then put
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
    // One of --png, --svg, --dump, --y4m and --video.
    struct Output {
        const char* option;
        std::string path; // as given
        Destination destination;
        std::unique_ptr<OutputFile> file; // none for --video, which writes its own
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
    [[nodiscard]] Outcome PlanDestinations();
    [[nodiscard]] Outcome OpenPlanes();
    [[nodiscard]] YuvPicture* Planes(YuvPicture::Chroma chroma) const;
    void ReportPadding();
    void ShowProgress(long long done);

    RenderOptions m_options;
    std::ostream& m_errors;
    bool m_progressShown = false;
    std::int32_t m_seed = 0;
    std::vector<Output> m_outputs; // in the order --png, --svg, --dump, --y4m, --video
    std::optional<FrameSequence> m_sequence;
    std::unique_ptr<VideoFile> m_video;
    std::unique_ptr<BackBuffer> m_picture;
    // The picture as planes, converted once a frame for each chroma size
    // that an output takes: 4:4:4 and 4:2:0.
    std::unique_ptr<YuvPicture> m_fullPlanes;
    std::unique_ptr<YuvPicture> m_halfPlanes;
    // Kept from the frames to the end of encoding, which it covers too.
    std::optional<ProgressBar> m_progress;
    std::vector<BranchRule> m_lastRules;
};
