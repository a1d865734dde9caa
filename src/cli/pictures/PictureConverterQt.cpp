#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include "PictureConverter.h"

namespace phonotab::cli {

namespace {

// The GUI library draws text only with an application object; the batch tool
// makes one on the offscreen platform the first time a picture needs it. It
// lives until the process ends: taking it down among the static destructors,
// after the library's own state, is what must not happen.
void ensureGuiApplication() {
    if (QCoreApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "phonotab-cli";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
}

Result<std::string> png(const QImage& image, const std::string& path) {
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "PNG")) return Message(msg::PictureUnreadable, path);
    return std::string(out.constData(), static_cast<std::size_t>(out.size()));
}

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
        return png(image, path);
    }
    // Anything else the GUI library reads (GIF, TIFF, odd BMP headers ...).
    QImage image;
    if (image.loadFromData(data)) return png(image, path);
    return Message(msg::PictureNotConverted, path);
}

}  // namespace phonotab::cli
