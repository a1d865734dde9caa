// Text measurement of the core's pane layout with the graph window's fonts.
#pragma once

#include <QFontMetrics>

#include "render/plots/GraphFonts.h"
#include "core/plots/TextMetrics.h"

namespace phonotab {

class QtTextMetrics : public TextMetrics {
public:
    explicit QtTextMetrics(const GraphFonts& fonts);
    int width(const std::string& utf8, TextRole role) const override;
    int height(TextRole role) const override;

private:
    const QFontMetrics& metrics(TextRole role) const;
    QFontMetrics label_, title_, axisTitle_;
};

}  // namespace phonotab
