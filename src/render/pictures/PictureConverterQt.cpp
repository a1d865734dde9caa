#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include "render/pictures/GuiApplication.h"
#include "render/pictures/PictureConverter.h"
#include "render/pictures/PngBytes.h"

namespace phonotab {

namespace {

bool looksLikeSvg(const std::string& bytes) {
    const std::string head = bytes.substr(0, 4096);
    return head.find("<svg") != std::string::npos;
}

}  // namespace

Result<std::string> convertPictureToPng(const std::string& bytes, const std::string& path) {
    ensureGuiApplication();
    const QByteArray data(bytes.data(), static_cast<qsizetype>(bytes.size()));
    if (looksLikeSvg(bytes)) {
        QSvgRenderer svg(data);
        if (!svg.isValid()) return Message(msg::PictureUnreadable, path);
        QSize size = svg.defaultSize();
        if (size.isEmpty()) size = QSize(800, 600);
        // A drawing far larger than a page is drawn at a page's size.
        size = size.boundedTo(QSize(4000, 4000)).expandedTo(QSize(1, 1));
        QImage image(size, QImage::Format_ARGB32);
        image.fill(Qt::white);
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

}  // namespace phonotab
