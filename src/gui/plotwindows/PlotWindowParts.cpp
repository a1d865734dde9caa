#include "gui/plotwindows/PlotWindowParts.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include "gui/base/Prompts.h"
#include "gui/base/UiText.h"
#include "core/base/MessageIds.h"
#include "core/plots/SceneSvg.h"
#include "render/plots/FigurePainter.h"
#include "render/plots/QtTextMetrics.h"

namespace phonotab {

Result<QString> writeImage(const QImage& image, const QString& path) {
    QSaveFile file(path);
    const QByteArray format = QFileInfo(path).suffix().toLower() == QStringLiteral("png") ? "PNG" : "BMP";
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, format.constData()) || !file.commit())
        return Message(msg::CannotWrite, path.toStdString());
    return path;
}

namespace {

const GraphFonts& figureFonts() {
    static const GraphFonts fonts = GraphFonts::figure();
    return fonts;
}

QString folderOrCurrent(const QString& folder) { return folder.isEmpty() ? QDir::currentPath() : folder; }

}  // namespace

const TextMetrics& figureMetrics() {
    static const QtTextMetrics metrics(figureFonts());
    return metrics;
}

Result<QString> saveFigureBitmapAs(const PlotFigure& figure, Prompts& prompts, const QString& folder) {
    const QString path = prompts.saveFilePath(uiText(text::SaveGraphAsBitmap), uiText(text::BitmapFileFilter),
                                              QDir(folderOrCurrent(folder)).filePath(QStringLiteral("graph.bmp")),
                                              QStringLiteral("bmp"));
    if (path.isEmpty()) return QString();
    return writeImage(figureImage(figure, figureFonts()), path);
}

Result<QString> saveFigureSvgAs(const PlotFigure& figure, Prompts& prompts, const QString& folder,
                                const QString& suggested) {
    const QString path = prompts.saveFilePath(uiText(text::SaveGraphAsVector), uiText(text::SvgFileFilter),
                                              QDir(folderOrCurrent(folder)).filePath(suggested), QStringLiteral("svg"));
    if (path.isEmpty()) return QString();
    const std::string svg = plotFigureSvg(figure);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(svg.data(), static_cast<qint64>(svg.size())) != static_cast<qint64>(svg.size()) || !file.commit())
        return Message(msg::CannotWrite, path.toStdString());
    return path;
}

}  // namespace phonotab
