#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>

#include "core/platform/DocxDocument.h"
#include "core/plots/PlotFigure.h"
#include "render/pictures/GuiApplication.h"
#include "render/pictures/PictureConverter.h"
#include "render/pictures/PngBytes.h"

namespace phonotab {

namespace {

// The largest printed size of a picture: a portrait page's text, in inches.
constexpr double kMaxWidthInches = figure::kWidthCm / 2.54, kMaxHeightInches = 24.0 / 2.54;

bool looksLikeSvg(const std::string& bytes) {
    const std::string head = bytes.substr(0, 4096);
    return head.find("<svg") != std::string::npos;
}

// The scale that brings a picture of these inches within the page's text.
double fitScale(double widthInches, double heightInches) {
    return std::min({1.0, kMaxWidthInches / widthInches, kMaxHeightInches / heightInches});
}

void stateResolution(QImage& image, double dpi) {
    const int perMetre = static_cast<int>(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(perMetre);
    image.setDotsPerMeterY(perMetre);
}

}  // namespace

Result<std::string> convertPictureToPng(const std::string& bytes, const std::string& path) {
    ensureGuiApplication();
    const QByteArray data(bytes.data(), static_cast<qsizetype>(bytes.size()));
    if (looksLikeSvg(bytes)) {
        QSvgRenderer svg(data);
        if (!svg.isValid()) return Message(msg::PictureUnreadable, path);
        // Its own size in CSS pixels (a 96th of an inch), drawn at a print resolution.
        QSizeF size = svg.defaultSize();
        if (size.isEmpty()) size = QSizeF(800, 600);
        const double inchesW = size.width() / figure::kUnitsPerInch, inchesH = size.height() / figure::kUnitsPerInch;
        const double scale = fitScale(inchesW, inchesH) * figure::kPrintDpi;
        const QSize pixels(std::max(1, static_cast<int>(std::lround(inchesW * scale))),
                           std::max(1, static_cast<int>(std::lround(inchesH * scale))));
        QImage image(pixels, QImage::Format_ARGB32);
        image.fill(Qt::white);
        stateResolution(image, figure::kPrintDpi);
        QPainter painter(&image);
        svg.render(&painter);
        painter.end();
        return pngBytes(image, path);
    }
    // Anything else the GUI library reads (GIF, TIFF, odd BMP headers ...).
    QImage image;
    if (image.loadFromData(data)) return pngBytes(image, path);
    return Message(msg::PictureNotConverted, path);
}

Result<std::string> printablePng(const std::string& bytes, const std::string& path) {
    ensureGuiApplication();
    QImage image;
    if (!image.loadFromData(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()))) || image.isNull())
        return Message(msg::PictureUnreadable, path);
    const double stated = image.dotsPerMeterX() * 0.0254;
    const double dpi = stated > 10 ? stated : 96.0;
    const double inchesW = image.width() / dpi, inchesH = image.height() / dpi;
    const double placedW = inchesW * fitScale(inchesW, inchesH);
    if (image.width() < placedW * DocxDocument::MinPictureDpi) {
        const int width = static_cast<int>(std::ceil(placedW * DocxDocument::MinPictureDpi));
        image = image.scaledToWidth(width, Qt::SmoothTransformation);
    }
    stateResolution(image, image.width() / placedW);
    return pngBytes(image, path);
}

}  // namespace phonotab
