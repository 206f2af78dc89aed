#include "RenderJob.h"

#include <unistd.h>

#include <cerrno>

#include "BackBuffer.h"
#include "DeviceSink.h"
#include "DrawFrame.h"
#include "DumpWriter.h"
#include "FadeSlider.h"
#include "HelpText.h"
#include "Interruption.h"
#include "PlantMotion.h"
#include "PngWriter.h"
#include "ProgressBar.h"
#include "SvgWriter.h"
#include "VideoFormat.h"
#include "Y4mWriter.h"

RenderJob::RenderJob(RenderOptions options, std::ostream& errors) : m_options(std::move(options)), m_errors(errors) {}

RenderJob::Outcome RenderJob::Run()
{
    for (const auto step : {&RenderJob::Plan, &RenderJob::Open, &RenderJob::Render, &RenderJob::WritePictures,
                            &RenderJob::Finish, &RenderJob::Commit}) {
        if (Interruption::Pending() != 0) {
            return Outcome::Interrupted;
        }
        if (const Outcome outcome = (this->*step)(); outcome != Outcome::Success) {
            return outcome;
        }
    }
    return Outcome::Success;
}

RenderJob::Outcome RenderJob::Failed(const std::string& option, const std::string& message)
{
    if (Interruption::Pending() != 0) {
        return Outcome::Interrupted;
    }
    m_progress.reset(); // the line is the error's
    m_errors << "quillbrook-render: " << option << ": " << message << std::endl;
    return Outcome::Failure;
}

RenderJob::Outcome RenderJob::FailedWriting(const Output& output, const std::string& reason)
{
    return Failed(output.option, "cannot write '" + output.path + "': " + reason);
}

RenderJob::Outcome RenderJob::Plan()
{
    const RenderOptions& o = m_options;
    m_seed = o.seed.value_or(PlantMotion::ClockSeed());
    if (const Outcome outcome = PlanDestinations(); outcome != Outcome::Success) {
        return outcome;
    }
    if (!o.pngSequence.empty()) {
        std::string error;
        m_sequence.emplace(o.pngSequence, o.frames, o.overwrite);
        if (!m_sequence->Check(error)) {
            Failed("--png-sequence", error);
            return Outcome::BadInput;
        }
        for (const Output& output : m_outputs) {
            if (m_sequence->Covers(output.destination)) {
                Failed(output.option, "'" + output.path + "' lies where --png-sequence writes");
                return Outcome::BadInput;
            }
        }
    }
    return Outcome::Success;
}

RenderJob::Outcome RenderJob::PlanDestinations()
{
    const RenderOptions& o = m_options;
    struct Named {
        const char* option;
        const std::string* path;
        bool dashIsStandardOutput;
    };
    m_outputs.reserve(5);
    for (const auto& [option, path, dash] :
         {Named{"--png", &o.png, false}, Named{"--svg", &o.svg, false}, Named{"--dump", &o.dump, true},
          Named{"--y4m", &o.y4m, true}, Named{"--video", &o.video, false}}) {
        if (path->empty()) {
            continue;
        }
        std::string error;
        auto destination = Destination::Resolve(*path, dash, error);
        if (!destination) {
            Failed(option, error);
            return Outcome::BadInput;
        }
        if (path == &o.video && destination->kind != Destination::Kind::File) {
            Failed(option, "'" + *path + "' is not a file; a video needs one it can seek in (--y4m writes to pipes)");
            return Outcome::BadInput;
        }
        // Pictures as bytes on a terminal would only garble it.
        if (path == &o.y4m && destination->kind == Destination::Kind::Descriptor &&
            isatty(destination->descriptor) == 1) {
            Failed(option, "'" + *path + "' is a terminal; give a file, or pipe it to a program");
            return Outcome::BadInput;
        }
        for (const Output& earlier : m_outputs) {
            if (earlier.destination.SameAs(*destination)) {
                Failed(option, "'" + *path + "' is also the destination of " + earlier.option);
                return Outcome::BadInput;
            }
        }
        m_outputs.push_back({option, *path, *destination, nullptr});
    }
    return Outcome::Success;
}

RenderJob::Output* RenderJob::Find(const char* option)
{
    for (Output& output : m_outputs) {
        if (std::string_view(output.option) == option) {
            return &output;
        }
    }
    return nullptr;
}

RenderJob::Outcome RenderJob::Open()
{
    const RenderOptions& o = m_options;
    for (Output& output : m_outputs) {
        if (&output == Find("--video")) {
            continue;
        }
        std::string reason;
        output.file = OutputFile::Open(output.destination, reason);
        if (!output.file) {
            return FailedWriting(output, reason);
        }
    }
    if (std::string error; m_sequence && !m_sequence->Open(error)) {
        return Failed("--png-sequence", error);
    }
    // Pixels only for the pictures: the dump and the SVG need none.
    if (Find("--png") != nullptr || m_sequence || Find("--y4m") != nullptr || Find("--video") != nullptr) {
        m_picture = std::make_unique<BackBuffer>(o.width, o.height);
        if (!m_picture->HasPixels()) {
            return Failed("--size", "not enough memory for a " + std::to_string(o.width) + "x" +
                                        std::to_string(o.height) + " picture");
        }
        // A new picture starts as the background, as every window's does.
        m_picture->FillRect(PlantStyle{}.backColor, 0, 0, o.width, o.height);
    }
    if (const Outcome outcome = OpenPlanes(); outcome != Outcome::Success) {
        return outcome;
    }
    if (Output* video = Find("--video")) {
        const VideoFormat* format = VideoFormat::ForPath(o.video);
        const VideoFile::Settings settings{format, m_halfPlanes->Width(), m_halfPlanes->Height(),
                                           o.crf.value_or(format->crfDefault), RenderOptions::kFramesPerSecond};
        std::string reason;
        m_video = VideoFile::Open(video->destination, settings, reason);
        if (!m_video) {
            return FailedWriting(*video, reason);
        }
    }
    return Outcome::Success;
}

RenderJob::Outcome RenderJob::OpenPlanes()
{
    const RenderOptions& o = m_options;
    const bool y4m = Find("--y4m") != nullptr;
    const bool video = Find("--video") != nullptr;
    for (const auto& [wanted, planes, chroma] :
         {std::tuple{y4m && !o.y4m420, &m_fullPlanes, YuvPicture::Chroma::Full},
          std::tuple{(y4m && o.y4m420) || video, &m_halfPlanes, YuvPicture::Chroma::Half}}) {
        if (!wanted) {
            continue;
        }
        *planes = std::make_unique<YuvPicture>(o.width, o.height, chroma);
        if (!(*planes)->HasPlanes()) {
            return Failed("--size", "not enough memory for a " + std::to_string(o.width) + "x" +
                                        std::to_string(o.height) + " picture in Y'CbCr");
        }
    }
    return Outcome::Success;
}

YuvPicture* RenderJob::Planes(YuvPicture::Chroma chroma) const
{
    return chroma == YuvPicture::Chroma::Full ? m_fullPlanes.get() : m_halfPlanes.get();
}

void RenderJob::ReportPadding()
{
    const RenderOptions& o = m_options;
    if (!m_halfPlanes || !m_halfPlanes->Padded()) {
        return;
    }
    std::string options = o.y4m420 ? "--y4m-420" : "";
    if (m_video) {
        options += options.empty() ? "--video" : " and --video";
    }
    const char* repeated = o.width % 2 == 0 ? "row" : (o.height % 2 == 0 ? "column" : "column and row");
    m_errors << "quillbrook-render: " << options << ": 4:2:0 needs even sides, so the " << o.width << "x" << o.height
             << " picture becomes " << m_halfPlanes->Width() << "x" << m_halfPlanes->Height() << ", its last "
             << repeated << " repeated" << std::endl;
}

void RenderJob::ShowProgress(long long done)
{
    if (m_progress) {
        m_progress->Update(done, ProgressBar::Clock::now());
    }
}

RenderJob::Outcome RenderJob::Render()
{
    const RenderOptions& o = m_options;
    Output* dump = Find("--dump");
    std::optional<DumpWriter> dumpWriter;
    if (dump != nullptr) {
        dumpWriter.emplace(DeviceSink(*dump->file));
    }
    Output* y4m = Find("--y4m");
    std::optional<Y4mWriter> y4mWriter;
    if (y4m != nullptr) {
        y4mWriter.emplace(DeviceSink(*y4m->file), RenderOptions::kFramesPerSecond);
    }
    const YuvPicture* y4mPlanes = Planes(o.y4m420 ? YuvPicture::Chroma::Half : YuvPicture::Chroma::Full);
    ReportPadding();
    if (m_progressShown) {
        m_progress.emplace(m_errors, o.frames, ProgressBar::Clock::now());
    }
    PlantMotion motion(m_seed);
    const std::uint8_t fade = FadeSlider::FadeFor(o.slider);
    const PlantStyle style;
    SegmentList segments;
    for (long long frame = 0; frame < o.frames; ++frame) {
        if (Interruption::Pending() != 0) {
            return Outcome::Interrupted;
        }
        const std::span<const BranchRule> rules = motion.NextFrame();
        if (m_picture) {
            DrawFrame(*m_picture, rules, style, fade, segments);
        }
        for (const auto& planes : {&m_fullPlanes, &m_halfPlanes}) {
            if (*planes) {
                (*planes)->Convert(*m_picture);
            }
        }
        if (dumpWriter && !dumpWriter->Write(frame, rules)) {
            return FailedWriting(*dump, dump->file->Failure());
        }
        const auto png = [&](OutputFile& file) {
            return PngWriter::Write(file, *m_picture, {m_seed, frame + 1, o.slider});
        };
        if (std::string error; m_sequence && !m_sequence->Write(frame, png, error)) {
            return Failed("--png-sequence", error);
        }
        if (y4mWriter && !y4mWriter->Write(*y4mPlanes)) {
            return FailedWriting(*y4m, y4m->file->Failure());
        }
        if (std::string reason; m_video && !m_video->Write(*m_halfPlanes, reason)) {
            return FailedWriting(*Find("--video"), reason);
        }
        if (frame + 1 == o.frames) {
            m_lastRules.assign(rules.begin(), rules.end());
        }
        // A video's frames are done once the encoder has given them up.
        ShowProgress(m_video ? m_video->FramesWritten() : frame + 1);
    }
    if (dumpWriter && !dumpWriter->Flush()) {
        return FailedWriting(*dump, dump->file->Failure());
    }
    return Outcome::Success;
}

RenderJob::Outcome RenderJob::WritePictures()
{
    const RenderOptions& o = m_options;
    if (Output* png = Find("--png");
        png != nullptr && !PngWriter::Write(*png->file, *m_picture, {m_seed, o.frames, o.slider})) {
        // Where the file did not fail, the encoder ran out of memory.
        return FailedWriting(*png, png->file->Failure().empty() ? Reason(ENOMEM) : png->file->Failure());
    }
    if (Output* svg = Find("--svg")) {
        const std::string description =
            RenderCommand({m_seed, static_cast<std::uint64_t>(o.frames), o.width, o.height, o.slider});
        const std::string text = SvgWriter::Picture(m_lastRules, o.width, o.height, PlantStyle{}, description);
        if (svg->file->write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size())) {
            return FailedWriting(*svg, svg->file->Failure());
        }
    }
    return Outcome::Success;
}

RenderJob::Outcome RenderJob::Finish()
{
    if (std::string reason; m_video && !m_video->Finish([this](long long done) { ShowProgress(done); }, reason)) {
        return FailedWriting(*Find("--video"), reason);
    }
    m_progress.reset();
    for (Output& output : m_outputs) {
        if (std::string reason; output.file && !output.file->Finish(true, reason)) {
            return FailedWriting(output, reason);
        }
    }
    if (std::string error; m_sequence && !m_sequence->Finish(error)) {
        return Failed("--png-sequence", error);
    }
    return Outcome::Success;
}

RenderJob::Outcome RenderJob::Commit()
{
    for (Output& output : m_outputs) {
        if (std::string reason; output.file && !output.file->Commit(reason)) {
            return FailedWriting(output, reason);
        }
    }
    if (std::string reason; m_video && !m_video->Commit(reason)) {
        return FailedWriting(*Find("--video"), reason);
    }
    if (std::string error; m_sequence && !m_sequence->Commit(error)) {
        return Failed("--png-sequence", error);
    }
    return Outcome::Success;
}
