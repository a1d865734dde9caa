// Writes PNG pictures of typical graph panes into a folder (default
// "pictures"), to look at by eye: a clock-time axis with zones and markers, a
// logarithmic spectrum, a histogram-like level distribution with its cumulative
// curve, and ten million samples reduced for drawing (whole and zoomed in); the
// first also as a vector picture (SVG).
//
//     phonotab-plot-pictures [FOLDER]
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QMouseEvent>

#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

#include "core/base/CalendarTime.h"
#include "gui/plots/GraphWindow.h"

using namespace phonotab;

namespace {

constexpr std::uint32_t kRgb = 0x80000000u;  // a series colour given as 0x00BBGGRR

bool save(GraphWindow& w, const QDir& dir, const char* name) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    if (!w.renderImage().save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", path.toLocal8Bit().constData());
        return false;
    }
    std::printf("%s\n", path.toLocal8Bit().constData());
    return true;
}

void pointAt(GraphWindow& w, QPoint p) {
    QMouseEvent move(QEvent::MouseMove, QPointF(p), QPointF(w.mapToGlobal(p)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&w, &move);
}

// Two and a half hours of one-second levels across midnight, with a correction
// zone, an exclusion zone, a limit line and both markers.
bool timeAxisWithZones(const QDir& dir) {
    std::mt19937 rng(1);
    std::normal_distribution<double> noise(0, 1.2);
    const int n = 9000;
    std::vector<double> leq(n), lmax(n);
    double base = 58;
    for (int i = 0; i < n; ++i) {
        base += 0.02 * noise(rng) + (62 - base) * 0.001;
        const double traffic = 8 * std::exp(-std::pow(std::fmod(i, 240.0) - 120, 2) / 800);
        leq[i] = base + traffic + noise(rng);
        lmax[i] = leq[i] + 4 + std::fabs(noise(rng)) * 2;
    }
    GraphWindow w;
    w.resize(1200, 520);
    GraphPane& pane = w.addPane(0);
    w.paneSet().addSeries(0, leq.data(), 0, n, kRgb | 0xA80000);   // blue
    w.paneSet().addSeries(0, lmax.data(), 0, n, kRgb | 0x0000C8);  // red
    w.paneSet().setXMapping(0, 1);
    pane.setFlags(paneflag::kTimeAxis | paneflag::kSampleNumber);
    pane.setTimeOrigin(toCivilSeconds({2023, 5, 14, 22, 40, 0}));
    pane.setTitles("Уровни звука, точка 3", "время", "L, дБА");
    pane.addZone(1800, 46);
    pane.addZone(2700, 0x4000002E);  // correction zone: a yellow band
    pane.addZone(5400, 44);
    pane.addZone(6300, 0x4000002C);  // exclusion zone: a light red band
    pane.addZone(80, GraphZone::kHorizontal | 1u << 24 | 36);  // a limit: solid red, 3 px
    pane.addZone(7500, 63u << 24 | 40);                        // a dotted dark grey line
    pane.setMarker(1, {3600, 70});
    pane.setMarker(2, {4500, 60});
    w.show();
    w.renderImage();
    const PaneScene* s = w.scene(0);
    pointAt(w, QPoint(s->map.px(4000), s->map.py(66)));
    bool ok = save(w, dir, "time_axis_zones.png");
    // The same pane as a vector picture, colours and zones kept.
    pane.setFlags(pane.flags() | paneflag::kAskFileName | paneflag::kExportColours);
    w.setFileChooser([&](const QString&, const QString&) { return dir.filePath("time_axis_zones.svg"); });
    const Result<QString> svg = w.exportVector(0);
    if (!svg || svg->isEmpty()) {
        std::fprintf(stderr, "cannot write the vector picture\n");
        return false;
    }
    std::printf("%s\n", svg->toLocal8Bit().constData());
    return ok;
}

// A narrow-band vibration spectrum on logarithmic axes.
bool logarithmicSpectrum(const QDir& dir) {
    const int n = 4000;  // 5 Hz to 20 kHz in steps of 5 Hz
    std::vector<double> accel(n), velocity(n);
    for (int i = 0; i < n; ++i) {
        const double f = 5.0 * (i + 1);
        const double resonance = 3.0 / (1 + std::pow((f - 160) / 12, 2)) + 0.6 / (1 + std::pow((f - 2500) / 90, 2));
        accel[i] = 0.01 * std::sqrt(f / 10) + resonance + 0.002 * (i % 7);
        velocity[i] = 1000 * accel[i] / (2 * M_PI * f);
    }
    GraphWindow w;
    w.resize(1000, 520);
    GraphPane& pane = w.addPane(0);
    w.paneSet().addSeries(0, accel.data(), 0, n, kRgb | 0x008000);
    w.paneSet().addSeries(0, velocity.data(), 0, n, kRgb | 0x800080);
    w.paneSet().setXMapping(5, 5);
    pane.setFlags(paneflag::kLogX | paneflag::kLogY);
    pane.setTitles("Спектр вибрации", "f, Гц", "a, м/с², v, мм/с");
    pane.addZone(100, 63u << 24 | 40);
    pane.addZone(1000, 63u << 24 | 40);
    w.setReadoutMode(ReadoutMode::Statistics);
    return save(w, dir, "log_axes.png");
}

// A level distribution in classes of 0.25 dB and its cumulative share, in two
// panes that scroll together.
bool histogramSeries(const QDir& dir) {
    const int n = 400;  // 20 to 120 dB
    std::vector<double> counts(n), cumulative(n);
    double total = 0;
    for (int i = 0; i < n; ++i) {
        const double L = 20 + 0.25 * i;
        counts[i] = std::floor(900 * std::exp(-std::pow(L - 58, 2) / 40) + 300 * std::exp(-std::pow(L - 74, 2) / 12));
        total += counts[i];
    }
    double run = 0;
    for (int i = 0; i < n; ++i) cumulative[i] = 100 * (run += counts[i]) / total;
    // Drawn as steps: each class holds its count across its width.
    std::vector<double> steps(2 * n);
    for (int i = 0; i < n; ++i) steps[2 * i] = steps[2 * i + 1] = counts[i];
    GraphWindow w;
    w.resize(1000, 700);
    GraphPane& top = w.addPane(1);
    GraphPane& bottom = w.addPane(2);
    w.paneSet().addSeries(1, steps.data(), 0, 2 * n, 34);  // table colour: green
    std::vector<double> cumulativeSteps(2 * n);
    for (int i = 0; i < n; ++i) cumulativeSteps[2 * i] = cumulativeSteps[2 * i + 1] = cumulative[i];
    w.paneSet().addSeries(2, cumulativeSteps.data(), 0, 2 * n, 33);  // blue
    w.paneSet().setXMapping(20, 0.125);
    top.setFlags(paneflag::kFirstMaximum);
    top.setTitles("Распределение уровней", "L, дБ", "число отсчётов");
    bottom.setFlags(paneflag::kFixedY);
    bottom.setFixedYRange(0, 100);
    bottom.setTitles("", "L, дБ", "доля, %");
    bottom.addZone(50, GraphZone::kHorizontal | 63u << 24 | 40);
    bottom.addZone(90, GraphZone::kHorizontal | 63u << 24 | 40);
    w.setReadoutMode(ReadoutMode::Statistics);
    return save(w, dir, "histogram_series.png");
}

// Ten million samples of a pressure signal in pascals ×1000 (the axis carries
// E+3), limits as horizontal lines.
bool largeSeries(const QDir& dir) {
    const std::int64_t n = 10'000'000;
    std::vector<double> v(static_cast<std::size_t>(n));
    std::mt19937 rng(5);
    std::normal_distribution<double> noise(0, 400);
    for (std::int64_t i = 0; i < n; ++i)
        v[i] = 4000 * std::sin(i / 150000.0) * std::sin(i / 1700.0) + noise(rng) + (i % 2000000 < 3 ? 9000 : 0);
    GraphWindow w;
    w.resize(1400, 480);
    GraphPane& pane = w.addPane(0);
    w.paneSet().addSeries(0, v.data(), 0, n, kRgb | 0x404040);
    w.paneSet().setXMapping(0, 1.0 / 48000);
    pane.setTitles("Звуковое давление, 10^7 отсчётов", "t, с", "p, мПа");
    pane.addZone(8000, GraphZone::kHorizontal | 1u << 24 | 36);
    pane.addZone(-8000, GraphZone::kHorizontal | 1u << 24 | 36);
    pane.setFlags(paneflag::kRootSumSquares);
    w.setReadoutMode(ReadoutMode::Statistics);
    bool ok = save(w, dir, "large_series.png");
    // Zoomed in until single samples show: 1500 of them across 1280 columns.
    w.paneSet().scrollTo(5'000'000, 1500);
    w.invalidate();
    ok = save(w, dir, "large_series_zoomed.png") && ok;
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("pictures");
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    const QDir dir(folder);
    bool ok = timeAxisWithZones(dir);
    ok = logarithmicSpectrum(dir) && ok;
    ok = histogramSeries(dir) && ok;
    ok = largeSeries(dir) && ok;
    return ok ? 0 : 1;
}
