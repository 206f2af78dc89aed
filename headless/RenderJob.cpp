#include "RenderJob.h"

#include <memory>
#include <optional>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>

#include "DrawFrame.h"
#include "DumpWriter.h"
#include "OutputFile.h"
#include "PlantMotion.h"
#include "PngWriter.h"
#include "ProgressBar.h"
#include "SliderFade.h"
#include "SvgWriter.h"

namespace {

std::string CannotWrite(const std::string& path, const QString& reason)
{
    return "cannot write '" + path + "': " + reason.toLocal8Bit().toStdString();
}

bool WriteAll(QIODevice& device, const std::string& text)
{
    const auto size = static_cast<qint64>(text.size());
    return device.write(text.data(), size) == size;
}

std::unique_ptr<OutputFile> MaybeOutput(const std::string& path, bool dashIsStandardOutput)
{
    return path.empty() ? nullptr : std::make_unique<OutputFile>(path, dashIsStandardOutput);
}

} // namespace

RenderJob::RenderJob(RenderOptions options, std::ostream& errors) : m_options(std::move(options)), m_errors(errors) {}

std::string RenderJob::SequenceFileName(const std::string& directory, long long frame, long long frameCount)
{
    std::size_t digits = 6;
    for (long long limit = 1'000'000; frameCount - 1 >= limit; limit *= 10) {
        ++digits;
    }
    std::string number = std::to_string(frame);
    if (number.size() < digits) {
        number.insert(0, digits - number.size(), '0');
    }
    return directory + "/frame-" + number + ".png";
}

bool RenderJob::WriteSequenceFrame(const BackBuffer& picture, std::int32_t seed, long long frame, std::string& error)
{
    // Each frame's file carries what renders it again: frame k is the
    // picture after k + 1 frames.
    OutputFile file(SequenceFileName(m_options.pngSequence, frame, m_options.frames), false);
    if (!file.Open(error)) {
        return false;
    }
    if (!PngWriter::Write(file.Device(), picture, {seed, frame + 1, m_options.slider}, error)) {
        error = CannotWrite(file.Path(), QString::fromStdString(error));
        return false;
    }
    return file.Commit(error);
}

void RenderJob::Report(const std::string& option, const std::string& message)
{
    m_errors << "quillbrook-render: " << option << ": " << message << std::endl;
}

RenderJob::Outcome RenderJob::Run()
{
    const RenderOptions& o = m_options;
    const std::int32_t seed = o.seed.value_or(PlantMotion::ClockSeed());
    std::string error;

    const auto png = MaybeOutput(o.png, false);
    const auto svg = MaybeOutput(o.svg, false);
    const auto dump = MaybeOutput(o.dump, true);
    for (auto [file, option] : {std::pair{&png, "--png"}, {&svg, "--svg"}, {&dump, "--dump"}}) {
        if (*file && !(*file)->Open(error)) {
            Report(option, error);
            return Outcome::BadInput;
        }
    }
    if (!o.pngSequence.empty()) {
        const QString directory = QFile::decodeName(o.pngSequence.c_str());
        if (!QDir().mkpath(directory) || !QFileInfo(directory).isWritable()) {
            Report("--png-sequence", "cannot create or write the directory '" + o.pngSequence + "'");
            return Outcome::BadInput;
        }
    }

    BackBuffer picture(o.width, o.height);
    if (!picture.HasPixels()) {
        Report("--size",
               "not enough memory for a " + std::to_string(o.width) + "x" + std::to_string(o.height) + " picture");
        return Outcome::Failure;
    }
    // A new picture starts as the background, as every window's does.
    const PlantStyle style;
    picture.FillRect(style.backColor, 0, 0, o.width, o.height);

    std::optional<DumpWriter> dumpWriter;
    if (dump) {
        dumpWriter.emplace(dump->Device());
    }
    std::optional<ProgressBar> progress;
    if (m_progressShown) {
        progress.emplace(m_errors, o.frames, ProgressBar::Clock::now());
    }
    PlantMotion motion(seed);
    const std::uint8_t fade = FadeFromSlider(o.slider);
    SegmentList segments;
    std::span<const BranchRule> rules;
    bool interrupted = false;
    std::string failedOption;
    for (long long frame = 0; frame < o.frames && failedOption.empty(); ++frame) {
        if (m_interrupt != nullptr && m_interrupt->load(std::memory_order_relaxed) != 0) {
            interrupted = true;
            break;
        }
        rules = motion.NextFrame();
        DrawFrame(picture, rules, style, fade, segments);
        if (dumpWriter && !dumpWriter->Write(frame, rules)) {
            failedOption = "--dump";
            error = CannotWrite(o.dump, dump->Device().errorString());
        } else if (!o.pngSequence.empty() && !WriteSequenceFrame(picture, seed, frame, error)) {
            failedOption = "--png-sequence";
        } else if (progress) {
            progress->Update(frame + 1, ProgressBar::Clock::now());
        }
    }
    if (progress) {
        progress->Finish();
    }
    if (interrupted) {
        return Outcome::Interrupted;
    }
    if (!failedOption.empty()) {
        Report(failedOption, error);
        return Outcome::Failure;
    }

    // Every file is written before any is put in place, so a failed write
    // leaves none of them.
    if (png && !PngWriter::Write(png->Device(), picture, {seed, o.frames, o.slider}, error)) {
        Report("--png", CannotWrite(o.png, QString::fromStdString(error)));
        return Outcome::Failure;
    }
    if (svg) {
        const std::string description = "quillbrook-render --seed " + std::to_string(seed) + " --frames " +
                                        std::to_string(o.frames) + " --size " + std::to_string(o.width) + "x" +
                                        std::to_string(o.height) + " --slider " + std::to_string(o.slider);
        if (!WriteAll(svg->Device(), SvgWriter::Picture(rules, o.width, o.height, style, description))) {
            Report("--svg", CannotWrite(o.svg, svg->Device().errorString()));
            return Outcome::Failure;
        }
    }
    if (dumpWriter && !dumpWriter->Flush()) {
        Report("--dump", CannotWrite(o.dump, dump->Device().errorString()));
        return Outcome::Failure;
    }
    for (auto [file, option] : {std::pair{&png, "--png"}, {&svg, "--svg"}, {&dump, "--dump"}}) {
        if (*file && !(*file)->Commit(error)) {
            Report(option, error);
            return Outcome::Failure;
        }
    }
    return Outcome::Success;
}
