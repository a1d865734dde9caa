#include "gui/plotwindows/PlotWindowParts.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include "gui/base/Prompts.h"
#include "gui/base/UiText.h"
#include "core/base/MessageIds.h"

namespace phonotab {

Result<QString> writeImage(const QImage& image, const QString& path) {
    QSaveFile file(path);
    const QByteArray format = QFileInfo(path).suffix().toLower() == QStringLiteral("png") ? "PNG" : "BMP";
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, format.constData()) || !file.commit())
        return Message(msg::CannotWrite, path.toStdString());
    return path;
}

Result<QString> saveBitmapAs(const QImage& image, Prompts& prompts, const QString& folder) {
    const QString start = folder.isEmpty() ? QDir::currentPath() : folder;
    const QString path = prompts.saveFilePath(uiText(text::SaveGraphAsBitmap), uiText(text::BitmapFileFilter),
                                              QDir(start).filePath(QStringLiteral("graph.bmp")), QStringLiteral("bmp"));
    if (path.isEmpty()) return QString();
    return writeImage(image, path);
}

}  // namespace phonotab
