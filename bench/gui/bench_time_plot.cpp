// Opening a file of ten million records in the time plot, against the
// calculation of the same file with one parameter: load + series + content +
// first paint of a 1920-pixel graph window, and the redraw after a zone edit
// (content rebuilt and redrawn) against the graph window's own full redraw.
// Prints the times (best of a few runs) and the two ratios.
#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>

#include "BenchData.h"
#include "TeleDescSource.h"
#include "core/acoustics/CalculateFile.h"
#include "core/measurement/TeleDesc.h"
#include "core/base/MappedFile.h"
#include "gui/plots/GraphWindow.h"
#include "core/plots/TimePlotContent.h"
#include "BenchTiming.h"

using namespace phonotab;
using phonotab::bench::bestSeconds;

namespace {

constexpr std::int64_t kRecords = 10'000'000;
constexpr FieldCode kParameter = 0x01300100;

CalcFile openFile(const std::string& path, const TeleDesc& desc) {
    Result<MeasurementFile> f = LoadMeasurementFile(path, FileWorkMode::Records, desc);
    if (!f) {
        std::fprintf(stderr, "cannot load %s\n", path.c_str());
        std::exit(1);
    }
    CalcFile cf = openForCalculation(std::move(*f));
    ParameterEntry e;
    e.code = kParameter;
    e.flags.plot = true;
    e.flags.leq = true;
    e.colour = 0x0000C0;
    cf.entries.push_back(e);
    return cf;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::string text, error;
    fixtures::TeleDescSource src;
    readFileText(bench::demoTdscPath(), text);
    fixtures::parseTeleDescSource(text, src, error);
    const TeleDesc desc = *parseTeleDesc(fixtures::writeTeleDesc(src), "Русский");
    const std::string path = bench::largeSlmFile(kRecords);

    const double calc = bestSeconds(3, [&] {
        CalcFile cf = openFile(path, desc);
        CalcRequest req;
        req.quiet = true;
        std::vector<ParameterEntry> extra;
        std::swap(extra, cf.entries);
        req.extraEntries = &extra;
        (void)CalculateFile(cf, desc, req);
    });

    GraphWindow window;
    window.resize(1920, 1080);
    window.addPane(0);
    CalcFile kept;
    const double open = bestSeconds(3, [&] {
        kept = openFile(path, desc);
        if (!loadEntrySeries(kept).ok()) std::exit(1);
        applyTimePlotContent(buildTimePlotContent(kept, {}), window.paneSet(), 0);
        window.invalidate();
        window.redraw();
    });

    TimePlotContent content = buildTimePlotContent(kept, {});
    applyTimePlotContent(content, window.paneSet(), 0);
    double at = 100;
    const double zoneEdit = bestSeconds(20, [&] {
        (void)kept.ranges.AddExclusionZone(at, at + 50);
        at += 1000;
        TimePlotContent next = buildTimePlotContent(kept, {}, &content);
        applyTimePlotContent(next, window.paneSet(), 0, &content);
        content = std::move(next);
        window.invalidate();
        window.redraw();
    });
    const double engine = bestSeconds(20, [&] {
        window.invalidate();
        window.redraw();
    });

    std::printf("records %lld, one parameter, graph 1920 px\n", static_cast<long long>(kRecords));
    std::printf("calc (load + calculate)          %8.3f s\n", calc);
    std::printf("plot (load + series + first paint) %6.3f s   ratio to calc %.2f (goal <= 1.5)\n", open, open / calc);
    std::printf("redraw after a zone edit         %8.2f ms\n", zoneEdit * 1e3);
    std::printf("engine's own full redraw         %8.2f ms   ratio %.2f (goal: zone edit <= 16 ms)\n", engine * 1e3,
                zoneEdit / engine);
    return 0;
}
