// phonotab-desktop-icons FOLDER: the pictures the desktop shows for the
// program and its files, in the hicolor theme's layout under FOLDER/hicolor:
// PNG pictures at the usual sizes and SVG under "scalable", for the program
// ("apps/phonotab") and its project and table files ("mimetypes/
// application-x-phonotab-project", "...-table"). The build runs it; the
// pictures are drawn by the program's own code, so they match its windows.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>

#include "gui/base/AppIcons.h"

using namespace phonotab;

namespace {

struct Picture {
    DesktopImage image;
    const char* context;
    const char* name;
};

constexpr Picture kPictures[] = {
    {DesktopImage::Application, "apps", "phonotab"},
    {DesktopImage::ProjectFile, "mimetypes", "application-x-phonotab-project"},
    {DesktopImage::TableFile, "mimetypes", "application-x-phonotab-table"},
};

constexpr int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
constexpr int kSvgSize = 256;

bool writePng(const Picture& picture, int size, const QString& root) {
    const QString folder = QString("%1/%2x%2/%3").arg(root).arg(size).arg(picture.context);
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.scale(size / 32.0, size / 32.0);
    drawDesktopImage(picture.image, p);
    p.end();
    return QDir().mkpath(folder) && image.save(folder + "/" + picture.name + ".png");
}

bool writeSvg(const Picture& picture, const QString& root) {
    const QString folder = QString("%1/scalable/%2").arg(root, picture.context);
    if (!QDir().mkpath(folder)) return false;
    QSvgGenerator svg;
    svg.setFileName(folder + "/" + picture.name + ".svg");
    svg.setSize(QSize(kSvgSize, kSvgSize));
    svg.setViewBox(QRect(0, 0, kSvgSize, kSvgSize));
    svg.setTitle(QStringLiteral("Phonotab"));
    QPainter p;
    if (!p.begin(&svg)) return false;
    p.scale(kSvgSize / 32.0, kSvgSize / 32.0);
    drawDesktopImage(picture.image, p);
    return p.end();
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: phonotab-desktop-icons FOLDER\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]) + "/hicolor";
    for (const Picture& picture : kPictures) {
        bool ok = writeSvg(picture, root);
        for (int size : kSizes) ok = ok && writePng(picture, size, root);
        if (!ok) {
            std::fprintf(stderr, "could not write the pictures of %s under %s\n", picture.name,
                         root.toLocal8Bit().constData());
            return 1;
        }
    }
    return 0;
}
