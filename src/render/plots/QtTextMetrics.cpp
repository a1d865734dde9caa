#include "render/plots/QtTextMetrics.h"

#include <QString>

namespace phonotab {

QtTextMetrics::QtTextMetrics(const GraphFonts& fonts)
    : label_(fonts.label), title_(fonts.title), axisTitle_(fonts.labelBold) {}

const QFontMetrics& QtTextMetrics::metrics(TextRole role) const {
    switch (role) {
    case TextRole::Label: return label_;
    case TextRole::AxisTitle: return axisTitle_;
    case TextRole::PaneTitle: return title_;
    }
    return label_;
}

int QtTextMetrics::width(const std::string& utf8, TextRole role) const {
    return metrics(role).horizontalAdvance(QString::fromStdString(utf8));
}

int QtTextMetrics::height(TextRole role) const { return metrics(role).height(); }

}  // namespace phonotab
