// phonotab-cli plot FILE --param CODE ... [--range FIRST:COUNT] [--exclude B:E]
//   [--correct B:E:F.B=DB,...] [--unit s|min|h] [--relative] -o OUT.svg|OUT.png|OUT.txt
// Draws the time plot of a data file without a display: the same content the
// desktop's time plot shows, through the graph engine's scene and exports.
#include <CLI/CLI.hpp>

#include <filesystem>

#include "CliContext.h"
#include "FileRangeOptions.h"
#include "core/acoustics/CalculateFile.h"
#include "core/base/CFormat.h"
#include "core/base/MessageIds.h"
#include "core/platform/AtomicFile.h"
#include "core/plots/PaneScene.h"
#include "core/plots/SceneSvg.h"
#include "render/pictures/PanePicture.h"
#include "core/plots/TextExport.h"
#include "core/plots/TimePlotContent.h"

namespace phonotab::cli {

namespace {

struct PlotArgs : FileRangeArgs {
    std::string file, out, unit = "s", title;
    std::vector<std::string> params;
    bool relative = false;
    int width = 1200, height = 600;
};

// The pane text export, then one line per zone: "zone", its kind, and its
// begin and end on the same x axis as the samples above.
std::string textWithZones(const GraphPane& pane, const CalcFile& cf, const TimePlotContent& c, TextEncoding enc) {
    std::string out = paneTextExport(pane, enc);
    for (std::size_t i = 0; i < cf.ranges.zoneCount(); ++i) {
        const RangeZone& z = cf.ranges.zone(i);
        out += z.exclusion ? "zone\texclusion\t" : "zone\tcorrection\t";
        appendLg(out, c.xOfSeconds(z.begin));
        out += '\t';
        appendLg(out, c.xOfSeconds(z.end));
        out += '\n';
    }
    return out;
}

int runPlot(CliContext& ctx, const PlotArgs& a) {
    const std::string ext = std::filesystem::path(a.out).extension().string();
    if (ext != ".svg" && ext != ".png" && ext != ".txt")
        return usageError("-o: the picture is written as OUT.svg, OUT.png or OUT.txt");
    if (a.width < 200 || a.height < 150 || a.width > 20000 || a.height > 20000)
        return usageError("--width, --height: from 200 x 150 to 20000 x 20000 pixels");
    if (!ctx.loadTeleDesc()) return kExitFailure;
    const TeleDesc& desc = ctx.teleDesc();

    const std::string path = std::filesystem::absolute(a.file).string();
    Result<MeasurementFile> file = LoadMeasurementFile(path, chosenWorkMode(a.mode, path), desc);
    if (!file) return fail(file.error());
    CalcFile cf = openForCalculation(std::move(*file));

    for (const std::string& p : a.params) {
        long long code = 0;
        if (!textToInt(p, code) || code < 0 || code > 0xFFFFFFFFll) return usageError("--param " + p + ": bad parameter code");
        ParameterEntry e;
        e.code = static_cast<FieldCode>(code);
        e.flags.plot = true;
        // The parameters window's colours, one after the other.
        static constexpr std::uint32_t kColours[] = {0x0000C0, 0xC00000, 0x008000, 0x800080, 0x008080, 0x404040};
        e.colour = kColours[cf.entries.size() % std::size(kColours)];
        cf.entries.push_back(std::move(e));
    }
    if (!a.range.empty()) {
        long long first = 0, count = 0;
        if (!parseWorkRange(a.range, first, count)) return usageError("--range: expected FIRST:COUNT");
        cf.settings.firstSample = first;
        cf.settings.sampleCount = count;
        normalizeWorkRange(cf.settings, cf.ranges, true);
    }
    for (const std::string& z : a.excludes) {
        double b = 0, e = 0;
        if (!parseExclusion(z, b, e)) return fail(Message(msg::BadPlotRange, z));
        if (Status st = cf.ranges.AddExclusionZone(b, e); !st) return fail(st.error());
    }
    for (const std::string& z : a.corrections) {
        CorrectionZoneText zone;
        std::string item;
        if (const CorrectionTextError bad = parseCorrectionZone(z, zone, item); bad != CorrectionTextError::None)
            return fail(Message(msg::BadPlotRange, bad == CorrectionTextError::Shape ? z : item));
        if (Status st = cf.ranges.AddCorrectionZone(zone.begin, zone.end, zone.values); !st) return fail(st.error());
    }

    if (Status st = loadEntrySeries(cf); !st) return fail(st.error());

    TimePlotOptions options;
    options.relative = a.relative;
    options.unit = a.unit == "min" ? TimeUnit::Minutes : a.unit == "h" ? TimeUnit::Hours : TimeUnit::Seconds;
    const TimePlotContent content = buildTimePlotContent(cf, options);
    if (content.curves.empty()) return fail(Message(msg::NoPlotCurve));

    PaneSet set;
    GraphPane& pane = set.addPane(0);
    applyTimePlotContent(content, set, 0);
    pane.setTitles(a.title.empty() ? std::filesystem::path(path).filename().string() : a.title,
                   content.clock ? std::string() : unitCaption(options.unit), "dB");
    pane.setPlotRect({88, 40, a.width - 36, a.height - 64});
    set.prepareDraw();

    std::string bytes;
    if (ext == ".txt") {
        bytes = textWithZones(pane, cf, content, ctx.encoding);
    } else if (ext == ".png") {
        // Painted as the desktop's plot window paints it, with its fonts.
        Result<std::string> png = panePng(pane, a.width, a.height, a.out);
        if (!png) return fail(png.error());
        bytes = std::move(*png);
    } else {
        constexpr int kLineHeight = 16;
        const FixedTextMetrics metrics(7, kLineHeight);
        const PaneScene scene = buildPaneScene(pane, metrics);
        bytes = paneSceneSvg(scene, a.width, a.height, kLineHeight);
    }
    if (Status st = writeFileAtomically(a.out, bytes); !st) return fail(st.error());
    return kExitOk;
}

void addPlotCommand(CLI::App& app, CliContext& ctx, CommandList& commands) {
    auto* cmd = app.add_subcommand("plot", "draw the time plot of a data file's parameters as SVG, PNG or text");
    auto a = std::make_shared<PlotArgs>();
    cmd->add_option("FILE", a->file, "instrument data file")->required();
    cmd->add_option("-o,--output", a->out, "OUT.svg or OUT.png (picture) or OUT.txt (samples and zones)")->required();
    cmd->add_option("--param", a->params, "parameter code to draw (repeatable)")->required();
    addFileRangeOptions(cmd, *a);
    cmd->add_option("--unit", a->unit, "time unit of the relative axis: s, min or h")
        ->check(CLI::IsMember({"s", "min", "h"}));
    cmd->add_flag("--relative", a->relative, "time from the start of the record instead of clock time");
    cmd->add_option("--title", a->title, "the plot's title (the file name by default)");
    cmd->add_option("--width", a->width, "picture width in pixels (default 1200)");
    cmd->add_option("--height", a->height, "picture height in pixels (default 600)");
    commands.emplace_back(cmd, [&ctx, a] { return runPlot(ctx, *a); });
}

const bool plotCommandsRegistered = registerCommand(&addPlotCommand);

}  // namespace

}  // namespace phonotab::cli
