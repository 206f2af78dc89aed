#include <array>
#include <chrono>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <thread>
#include <utility>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchPicture.h"
#include "DrawFrame.h"
#include "FadeReference.h"
#include "FadeSlider.h"
#include "PlantAnimator.h"
#include "PlantBuilder.h"
#include "PlantMotion.h"
#include "PlantStyle.h"
#include "SinCos.h"
#include "YuvPicture.h"
#ifdef QUILLBROOK_BENCH_PAINTER
#include "PainterFrame.h"
#endif

namespace {

constexpr std::uint8_t kDefaultFade = FadeSlider::FadeFor(FadeSlider::kStart);
constexpr std::int32_t kSeed = 1733668800;

// The fade cases take turns between the background and white, so the picture
// never settles: from the fourth pass on, every pass moves every colour byte
// (by 18 or more). Both kernels get the same sequence, hence the same work.
std::uint32_t AlternatingFade(std::int64_t pass)
{
    constexpr PlantStyle kStyle;
    return WeightedColor(kDefaultFade, pass % 2 == 0 ? kStyle.backColor : PixelColor{0x00FFFFFF});
}

// Four rules spread evenly from the shortest, turning furthest one way, to
// the longest, turning furthest the other.
std::vector<BranchRule> PlantRules()
{
    std::vector<BranchRule> rules;
    for (int i = 0; i < PlantMotion::kRuleCount; ++i) {
        const double t = static_cast<double>(i) / (PlantMotion::kRuleCount - 1);
        rules.push_back(PlantMotion::RuleOf(PlantMotion::kMorphMap.Apply({t, t})));
    }
    return rules;
}

void Fade(benchmark::State& state)
{
    BenchPicture picture(state);
    picture.Run(state, [](BackBuffer& buffer, std::int64_t pass) {
        buffer.Fade(AlternatingFade(pass), 0, 0, buffer.Width(), buffer.Height());
    });
}

// The same pixels, row by row, as Fade covers them, by the plain reference
// the tests hold the kernels to.
void FadeLiteral(benchmark::State& state)
{
    BenchPicture picture(state);
    picture.Run(state, [](BackBuffer& buffer, std::int64_t pass) {
        for (int row = 0; row < buffer.Height(); ++row) {
            FadeSpanReference(buffer.Bits() + static_cast<std::size_t>(row) * static_cast<std::size_t>(buffer.Stride()),
                              static_cast<std::size_t>(buffer.Width()), AlternatingFade(pass));
        }
    });
}

// Reads and writes as many bytes as a fade: the floor the memory sets.
void CopyBaseline(benchmark::State& state)
{
    BenchPicture source(state);
    BenchPicture target(state);
    source.Run(state, [&](BackBuffer& buffer, std::int64_t) {
        std::memcpy(target.Buffer().Bits(), buffer.Bits(), source.Bytes());
    });
}

void BuildPlant(benchmark::State& state)
{
    const std::vector<BranchRule> rules = PlantRules();
    const PlantStyle style;
    SegmentList segments;
    for (auto _ : state) {
        // Cleared, not made anew: the case times the building, not the allocator.
        segments.clear();
        BuildBranch(segments, style.trunkStart, style.trunkEnd, 0, style.levels, rules, style.trunkColor,
                    style.tipColor);
        benchmark::DoNotOptimize(segments.data());
    }
    state.counters["segments"] = static_cast<double>(segments.size());
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(segments.size()));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(segments.size() * sizeof(Segment)));
}

// The frame as the window draws it: the rules glide from frame to frame.
// Each frame comes after a rest of argument 2 milliseconds, untimed. Back to
// back (rest 0) a frame finds the picture it fades still in the caches; after
// the window's 20 ms of rest much of it may have left them, and the frame
// costs what it costs in the running program.
void WholeFrame(benchmark::State& state)
{
    BenchPicture picture(state);
    PlantMotion motion(kSeed);
    const PlantStyle style;
    SegmentList segments;
    const auto draw = [&](BackBuffer& buffer) { DrawFrame(buffer, motion.NextFrame(), style, kDefaultFade, segments); };
    // Long enough for the picture's noise to settle into trails.
    constexpr int kSettlingFrames = 100;
    for (int frame = 0; frame < kSettlingFrames; ++frame) {
        draw(picture.Buffer());
    }
    const std::chrono::milliseconds rest(state.range(2));
    picture.Run(state, [&](BackBuffer& buffer, std::int64_t) {
        if (rest.count() > 0) {
            state.PauseTiming();
            std::this_thread::sleep_for(rest);
            state.ResumeTiming();
        }
        draw(buffer);
    });
}

// Turns spread over the plant's -120..120 degrees, visited in a scattered
// order so that the quadrant SinCos picks cannot be foretold.
std::vector<double> TurnAngles()
{
    constexpr int kCount = 1024;
    std::vector<double> angles;
    for (int i = 0; i < kCount; ++i) {
        const double t = static_cast<double>(i * 389 % kCount) / (kCount - 1);
        angles.push_back(PlantMotion::kMorphMap.Apply({0.5, t}).y * PlantMotion::kDegreeFactor);
    }
    return angles;
}

void CorrectlyRoundedSinCos(benchmark::State& state)
{
    const std::vector<double> angles = TurnAngles();
    for (auto _ : state) {
        for (const double angle : angles) {
            const SineCosine turn = SinCos(angle);
            benchmark::DoNotOptimize(turn);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(angles.size()));
}

// The C library's sine and cosine of the same angles, as RuleOf once used them.
void LibrarySinCos(benchmark::State& state)
{
    const std::vector<double> angles = TurnAngles();
    for (auto _ : state) {
        for (const double angle : angles) {
            const SineCosine turn{std::sin(angle), std::cos(angle)};
            benchmark::DoNotOptimize(turn);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(angles.size()));
}

// The motion alone: one frame's rules, a cycle begun every 50 frames. Its
// share of the frame shows beside DrawFrame.
void NextFrame(benchmark::State& state)
{
    PlantMotion motion(kSeed);
    for (auto _ : state) {
        benchmark::DoNotOptimize(motion.NextFrame().data());
    }
    state.SetItemsProcessed(state.iterations());
}

// A frame to Y'CbCr planes, as --y4m and --video do for every frame: 4:4:4
// (argument 2 is 0) or 4:2:0 (1). The frame stays within the time a frame
// has at fifty a second only if this is a small part of it.
void ToYuv(benchmark::State& state)
{
    BenchPicture picture(state);
    const auto chroma = state.range(2) == 0 ? YuvPicture::Chroma::Full : YuvPicture::Chroma::Half;
    YuvPicture planes(picture.Buffer().Width(), picture.Buffer().Height(), chroma);
    picture.Run(state, [&](BackBuffer& buffer, std::int64_t) {
        planes.Convert(buffer);
        benchmark::DoNotOptimize(planes.Bytes().data());
    });
}

constexpr std::array<std::pair<int, int>, 3> kSizes{{{469, 339}, {1920, 1080}, {3840, 2160}}};

void AtEverySize(benchmark::internal::Benchmark* benchmark)
{
    for (const auto& [width, height] : kSizes) {
        benchmark->Args({width, height});
    }
}

void AtEverySizeWithRest(benchmark::internal::Benchmark* benchmark, int restMs)
{
    for (const auto& [width, height] : kSizes) {
        benchmark->Args({width, height, restMs});
    }
}

benchmark::internal::Benchmark* Register(const char* name, void (*function)(benchmark::State&))
{
    return benchmark::RegisterBenchmark(name, function)->Unit(benchmark::kMicrosecond);
}

} // namespace

int main(int argc, char** argv)
{
    Register("Fade", Fade)->Apply(AtEverySize);
    Register("FadeLiteral", FadeLiteral)->Apply(AtEverySize);
    Register("CopyBaseline", CopyBaseline)->Apply(AtEverySize);
    Register("BuildPlant", BuildPlant);
    Register("DrawFrame", WholeFrame)->Apply([](benchmark::internal::Benchmark* benchmark) {
        AtEverySizeWithRest(benchmark, 0);
    });
    // A fixed count: at a frame per 20 ms a timed half second would take minutes.
    constexpr int kRestedFrames = 250;
    Register("DrawFrameAfterRest", WholeFrame)
        ->Iterations(kRestedFrames)
        ->Apply([](benchmark::internal::Benchmark* benchmark) { AtEverySizeWithRest(benchmark, 20); });
    Register("SinCos", CorrectlyRoundedSinCos);
    Register("SinCosLibrary", LibrarySinCos);
    Register("NextFrame", NextFrame);
    Register("ToYuv", ToYuv)->Apply([](benchmark::internal::Benchmark* benchmark) {
        for (const std::int64_t chroma : {0, 1}) {
            for (const auto& [width, height] : {std::pair{469, 339}, std::pair{1920, 1080}}) {
                benchmark->Args({width, height, chroma});
            }
        }
    });
#ifdef QUILLBROOK_BENCH_PAINTER
    Register("PainterFrame", PainterFrame)->Apply(AtEverySize);
#endif

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
