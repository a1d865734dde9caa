#include <QImage>
#include <QPainter>

#include "render/pictures/GuiApplication.h"
#include "render/pictures/PanePicture.h"
#include "render/pictures/PngBytes.h"
#include "render/plots/QtTextMetrics.h"
#include "render/plots/ScenePainter.h"

namespace phonotab {

Result<std::string> panePng(const GraphPane& pane, int width, int height, const std::string& name) {
    ensureGuiApplication();
    const GraphFonts fonts = GraphFonts::standard();
    const QtTextMetrics metrics(fonts);
    const PaneScene scene = buildPaneScene(pane, metrics);
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        paintScene(painter, scene, fonts, CurvePainting::Later);
    }
    fillCurveRuns(image, scene);
    return pngBytes(image, name);
}

}  // namespace phonotab
