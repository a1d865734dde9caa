// Full redraws of a graph window 1920 pixels wide holding four series, for
// series of 1920 samples (the bound: as many points as pixel columns) up to ten
// million samples each. The samples are never copied; each series' min/max
// pyramid is built once when it is added (timed apart).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>

#include <cmath>
#include <map>
#include <memory>
#include <random>
#include <vector>

#include "gui/plots/GraphWindow.h"
#include "render/plots/ScenePainter.h"

using namespace phonotab;

namespace {

constexpr int kSeries = 4;

const std::vector<double>& samples(std::int64_t n, int which) {
    static std::map<std::pair<std::int64_t, int>, std::vector<double>> cache;
    auto& v = cache[{n, which}];
    if (v.empty()) {
        v.resize(static_cast<std::size_t>(n));
        std::mt19937 rng(static_cast<unsigned>(which + 1));
        std::normal_distribution<double> noise(0, 2);
        double walk = 60 + 5 * which;
        for (double& x : v) x = (walk += 0.01 * noise(rng) + (60 + 5 * which - walk) * 1e-4) + noise(rng);
    }
    return v;
}

struct Scene {
    GraphWindow window;
    explicit Scene(std::int64_t n) {
        window.resize(1920, 1080);
        GraphPane& pane = window.addPane(0);
        for (int s = 0; s < kSeries; ++s)
            window.paneSet().addSeries(0, samples(n, s).data(), 0, n, 0x80000000u | (0x3F << (6 * s)));
        pane.setTitles("LAeq", "t, s", "L, dB");
        pane.addZone(static_cast<double>(n) * 0.2, 46);
        pane.addZone(static_cast<double>(n) * 0.3, 0x4000002E);
    }
};

void BM_FullRedraw(benchmark::State& state) {
    const std::int64_t n = state.range(0);
    Scene scene(n);
    for (auto _ : state) {
        scene.window.invalidate();
        scene.window.redraw();
        benchmark::DoNotOptimize(scene.window.surface().constBits());
    }
    state.counters["samples"] = static_cast<double>(n * kSeries);
    state.counters["points_drawn"] =
        static_cast<double>(scene.window.scene(0)->curves.empty() ? 0 : scene.window.scene(0)->curves[0].points.size() * kSeries);
}
BENCHMARK(BM_FullRedraw)->Arg(1920)->Arg(100'000)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

// The two halves of a redraw: laying out the scene (ranges, ticks, reduced
// curves) and painting it.
void BM_BuildScene(benchmark::State& state) {
    const std::int64_t n = state.range(0);
    Scene scene(n);
    scene.window.renderImage();
    GraphPane& pane = *scene.window.paneSet().pane(0);
    const FixedTextMetrics metrics(7, 15);
    for (auto _ : state) {
        PaneScene s = buildPaneScene(pane, metrics);
        benchmark::DoNotOptimize(s.curves.data());
    }
}
BENCHMARK(BM_BuildScene)->Arg(1920)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

void BM_PaintScene(benchmark::State& state) {
    const std::int64_t n = state.range(0);
    Scene scene(n);
    scene.window.renderImage();
    const PaneScene& s = *scene.window.scene(0);
    QImage image(1920, 1080, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            paintScene(painter, s, scene.window.fonts(), CurvePainting::Later);
        }
        fillCurveRuns(image, s);
    }
}
BENCHMARK(BM_PaintScene)->Arg(1920)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

// Zoomed into the middle tenth: still one frame's worth of columns.
void BM_ZoomedRedraw(benchmark::State& state) {
    const std::int64_t n = state.range(0);
    Scene scene(n);
    scene.window.paneSet().scrollTo(n / 2, n / 10);
    for (auto _ : state) {
        scene.window.invalidate();
        scene.window.redraw();
        benchmark::DoNotOptimize(scene.window.surface().constBits());
    }
}
BENCHMARK(BM_ZoomedRedraw)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

// A redraw after every scroll by one sample: the view differs from the last
// draw's, so every series is reduced again (a redraw of an unchanged view takes
// the reduced curves from the last scene).
void BM_ScrolledRedraw(benchmark::State& state) {
    const std::int64_t n = state.range(0);
    Scene scene(n);
    std::int64_t step = 0;
    for (auto _ : state) {
        scene.window.paneSet().scrollTo(n / 20 + (step++ & 1), n - n / 10);
        scene.window.invalidate();
        scene.window.redraw();
        benchmark::DoNotOptimize(scene.window.surface().constBits());
    }
}
BENCHMARK(BM_ScrolledRedraw)->Arg(1920)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

// The one-time cost of adding a series: its pyramid.
void BM_AddSeries(benchmark::State& state) {
    const std::int64_t n = state.range(0);
    const std::vector<double>& v = samples(n, 0);
    for (auto _ : state) {
        MinMaxPyramid p(v.data(), v.size());
        benchmark::DoNotOptimize(p.size());
    }
    state.SetBytesProcessed(state.iterations() * n * static_cast<std::int64_t>(sizeof(double)));
}
BENCHMARK(BM_AddSeries)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
