#include "RenderJob.h"

#include <cerrno>

#include "BackBuffer.h"
#include "DrawFrame.h"
#include "DumpWriter.h"
#include "Interruption.h"
#include "PlantMotion.h"
#include "PngWriter.h"
#include "ProgressBar.h"
#include "SliderFade.h"
#include "SvgWriter.h"

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
    m_outputs.reserve(3);
    for (const auto& [option, path] : {std::pair{"--png", &o.png}, {"--svg", &o.svg}, {"--dump", &o.dump}}) {
        if (path->empty()) {
            continue;
        }
        std::string error;
        auto destination = Destination::Resolve(*path, path == &o.dump, error);
        if (!destination) {
            Failed(option, error);
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
    for (Output& output : m_outputs) {
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
    if (Find("--png") != nullptr || m_sequence) {
        const RenderOptions& o = m_options;
        m_picture = std::make_unique<BackBuffer>(o.width, o.height);
        if (!m_picture->HasPixels()) {
            return Failed("--size", "not enough memory for a " + std::to_string(o.width) + "x" +
                                        std::to_string(o.height) + " picture");
        }
        // A new picture starts as the background, as every window's does.
        m_picture->FillRect(PlantStyle{}.backColor, 0, 0, o.width, o.height);
    }
    return Outcome::Success;
}

RenderJob::Outcome RenderJob::Render()
{
    const RenderOptions& o = m_options;
    Output* dump = Find("--dump");
    std::optional<DumpWriter> dumpWriter;
    if (dump != nullptr) {
        dumpWriter.emplace(*dump->file);
    }
    std::optional<ProgressBar> progress;
    if (m_progressShown) {
        progress.emplace(m_errors, o.frames, ProgressBar::Clock::now());
    }
    PlantMotion motion(m_seed);
    const std::uint8_t fade = FadeFromSlider(o.slider);
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
        if (dumpWriter && !dumpWriter->Write(frame, rules)) {
            return FailedWriting(*dump, dump->file->Failure());
        }
        if (std::string error;
            m_sequence && !m_sequence->Write(frame, *m_picture, {m_seed, frame + 1, o.slider}, error)) {
            return Failed("--png-sequence", error);
        }
        if (frame + 1 == o.frames) {
            m_lastRules.assign(rules.begin(), rules.end());
        }
        if (progress) {
            progress->Update(frame + 1, ProgressBar::Clock::now());
        }
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
        const std::string description = "quillbrook-render --seed " + std::to_string(m_seed) + " --frames " +
                                        std::to_string(o.frames) + " --size " + std::to_string(o.width) + "x" +
                                        std::to_string(o.height) + " --slider " + std::to_string(o.slider);
        const std::string text = SvgWriter::Picture(m_lastRules, o.width, o.height, PlantStyle{}, description);
        if (svg->file->write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size())) {
            return FailedWriting(*svg, svg->file->Failure());
        }
    }
    return Outcome::Success;
}

RenderJob::Outcome RenderJob::Finish()
{
    for (Output& output : m_outputs) {
        if (std::string reason; !output.file->Finish(true, reason)) {
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
        if (std::string reason; !output.file->Commit(reason)) {
            return FailedWriting(output, reason);
        }
    }
    if (std::string error; m_sequence && !m_sequence->Commit(error)) {
        return Failed("--png-sequence", error);
    }
    return Outcome::Success;
}
