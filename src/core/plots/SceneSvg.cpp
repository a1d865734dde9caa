#include "core/plots/SceneSvg.h"

#include "core/base/CFormat.h"

namespace phonotab {

namespace {

std::string svgColour(ColourWord c) { return cformat("#%02x%02x%02x", redOf(c), greenOf(c), blueOf(c)); }

std::string escaped(const std::string& s) {
    std::string out;
    for (char ch : s) {
        switch (ch) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += ch;
        }
    }
    return out;
}

void lines(std::string& out, const std::vector<SceneLine>& ls) {
    for (const SceneLine& l : ls) {
        // Half-pixel centres: a 1-pixel line covers exactly its pixels.
        out += cformat("<line x1=\"%g\" y1=\"%g\" x2=\"%g\" y2=\"%g\" stroke=\"%s\" stroke-width=\"%d\"%s/>\n",
                       l.x1 + 0.5, l.y1 + 0.5, l.x2 + 0.5, l.y2 + 0.5, svgColour(l.colour).c_str(), l.width,
                       l.dotted ? " stroke-dasharray=\"1,2\"" : "");
    }
}

}  // namespace

std::string paneSceneSvg(const PaneScene& scene, int width, int height, int lineHeight) {
    std::string out = cformat(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" viewBox=\"0 0 %d %d\">\n"
        "<rect x=\"0\" y=\"0\" width=\"%d\" height=\"%d\" fill=\"#ffffff\"/>\n",
        width, height, width, height, width, height);
    if (scene.empty) return out + "</svg>\n";
    const PlotRect& p = scene.plot;
    out += cformat("<rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" fill=\"%s\"/>\n", p.left, p.top, p.width(),
                   p.height(), svgColour(scene.background).c_str());
    for (const SceneBand& b : scene.bands)
        out += cformat("<rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" fill=\"%s\"/>\n", b.rect.left, b.rect.top,
                       b.rect.width(), b.rect.height(), svgColour(b.colour).c_str());
    lines(out, scene.grid);
    lines(out, scene.marks);
    const int fontSize = lineHeight * 3 / 4 > 0 ? lineHeight * 3 / 4 : 1;
    const int ascent = lineHeight * 4 / 5;
    out += cformat("<g font-family=\"sans-serif\" font-size=\"%d\" fill=\"%s\">\n", fontSize,
                   svgColour(scene.foreground).c_str());
    for (const SceneText& t : scene.texts) {
        const char* weight = t.role == TextRole::AxisTitle ? " font-weight=\"bold\"" : "";
        std::string text = t.text;
        for (char& ch : text)
            if (ch == '\n') ch = ' ';
        if (t.vertical)
            out += cformat("<text transform=\"translate(%d,%d) rotate(-90)\"%s>%s</text>\n", t.x + ascent, t.y,
                           weight, escaped(text).c_str());
        else
            out += cformat("<text x=\"%d\" y=\"%d\"%s>%s</text>\n", t.x, t.y + ascent, weight, escaped(text).c_str());
    }
    out += "</g>\n";
    out += cformat("<clipPath id=\"plot\"><rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\"/></clipPath>\n", p.left,
                   p.top, p.width(), p.height());
    out += "<g clip-path=\"url(#plot)\">\n";
    lines(out, scene.zoneLines);
    for (const SceneCurve& c : scene.curves) {
        out += cformat("<polyline fill=\"none\" stroke=\"%s\" stroke-width=\"1\" points=\"", svgColour(c.colour).c_str());
        for (const ScenePoint& pt : c.points) out += cformat("%g,%g ", pt.x + 0.5, pt.y + 0.5);
        out += "\"/>\n";
    }
    out += "</g>\n</svg>\n";
    return out;
}

namespace {

int fontPixels(TextRole role) {
    switch (role) {
        case TextRole::PaneTitle: return figure::kTitlePixels;
        case TextRole::AxisTitle: return figure::kAxisTitlePixels;
        default: return figure::kLabelPixels;
    }
}

void figureLines(std::string& out, const std::vector<SceneLine>& ls) {
    for (const SceneLine& l : ls) {
        const double w = l.dotted ? 0.6 : l.width;
        out += cformat("<line x1=\"%g\" y1=\"%g\" x2=\"%g\" y2=\"%g\" stroke=\"%s\" stroke-width=\"%g\"%s/>\n",
                       l.x1 + 0.5, l.y1 + 0.5, l.x2 + 0.5, l.y2 + 0.5, svgColour(l.colour).c_str(), w,
                       l.dotted ? " stroke-dasharray=\"1.5,2\"" : "");
    }
}

}  // namespace

std::string plotFigureSvg(const PlotFigure& f) {
    const double mmPerUnit = 25.4 / figure::kUnitsPerInch;
    std::string out = cformat(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%.1fmm\" height=\"%.1fmm\" viewBox=\"0 0 %d %d\">\n"
        "<rect x=\"0\" y=\"0\" width=\"%d\" height=\"%d\" fill=\"%s\"/>\n",
        f.width * mmPerUnit, f.height * mmPerUnit, f.width, f.height, f.width, f.height,
        svgColour(f.background).c_str());
    for (const SceneBand& b : f.fills)
        out += cformat("<rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" fill=\"%s\"/>\n", b.rect.left, b.rect.top,
                       b.rect.width(), b.rect.height(), svgColour(b.colour).c_str());
    figureLines(out, f.lines);
    out += cformat("<g font-family=\"Arial, 'Liberation Sans', 'DejaVu Sans', sans-serif\" fill=\"%s\">\n",
                   svgColour(f.foreground).c_str());
    for (const FigureText& ft : f.texts) {
        const SceneText& t = ft.text;
        const int px = fontPixels(t.role);
        const double ascent = px * 0.93;
        const char* weight = t.role != TextRole::Label ? " font-weight=\"bold\"" : "";
        std::string text = t.text;
        for (char& ch : text)
            if (ch == '\n') ch = ' ';
        if (t.vertical)
            out += cformat("<text transform=\"translate(%g,%d) rotate(-90)\" font-size=\"%d\"%s>%s</text>\n",
                           t.x + ascent, t.y + ft.width, px, weight, escaped(text).c_str());
        else
            out += cformat("<text x=\"%d\" y=\"%g\" font-size=\"%d\"%s>%s</text>\n", t.x, t.y + ascent, px, weight,
                           escaped(text).c_str());
    }
    out += "</g>\n";
    const PlotRect& p = f.plot;
    out += cformat("<clipPath id=\"plot\"><rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\"/></clipPath>\n", p.left,
                   p.top, p.width(), p.height());
    out += "<g clip-path=\"url(#plot)\">\n";
    figureLines(out, f.plotLines);
    for (const SceneCurve& c : f.curves) {
        out += cformat("<polyline fill=\"none\" stroke=\"%s\" stroke-width=\"1.2\" stroke-linejoin=\"round\" points=\"",
                       svgColour(c.colour).c_str());
        for (const ScenePoint& pt : c.points) out += cformat("%g,%g ", pt.x + 0.5, pt.y + 0.5);
        out += "\"/>\n";
    }
    out += "</g>\n</svg>\n";
    return out;
}

}  // namespace phonotab
