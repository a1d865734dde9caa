#include "render/plots/GraphFonts.h"

#include <QStringList>

#include "core/plots/PlotFigure.h"

namespace phonotab {

namespace {

QFont make(const QStringList& families, QFont::StyleHint hint, int pixels, int weight) {
    QFont f;
    f.setFamilies(families);
    f.setStyleHint(hint);
    f.setPixelSize(pixels);
    f.setWeight(static_cast<QFont::Weight>(weight));
    return f;
}

}  // namespace

GraphFonts GraphFonts::standard() {
    const QStringList serif = {"Times New Roman", "Liberation Serif", "DejaVu Serif"};
    const QStringList sans = {"Arial", "Liberation Sans", "DejaVu Sans"};
    GraphFonts f;
    // Cell heights 28 and 15 pixels: em sizes of about 24 and 13.
    f.title = make(serif, QFont::Serif, 24, QFont::Normal);
    f.label = make(sans, QFont::SansSerif, 13, QFont::Normal);
    f.labelBold = make(sans, QFont::SansSerif, 13, QFont::Bold);
    f.vertical = make(sans, QFont::SansSerif, 13, QFont::Bold);  // drawn rotated by 90 degrees
    f.control = make(sans, QFont::SansSerif, 13, QFont::Bold);
    return f;
}

GraphFonts GraphFonts::figure() {
    const QStringList sans = {"Arial", "Liberation Sans", "DejaVu Sans"};
    GraphFonts f;
    f.title = make(sans, QFont::SansSerif, figure::kTitlePixels, QFont::Bold);
    f.label = make(sans, QFont::SansSerif, figure::kLabelPixels, QFont::Normal);
    f.labelBold = make(sans, QFont::SansSerif, figure::kAxisTitlePixels, QFont::Bold);
    f.vertical = f.labelBold;
    f.control = f.labelBold;
    return f;
}

const QFont& GraphFonts::forRole(TextRole role) const {
    switch (role) {
    case TextRole::Label: return label;
    case TextRole::AxisTitle: return labelBold;
    case TextRole::PaneTitle: return title;
    }
    return label;
}

}  // namespace phonotab
