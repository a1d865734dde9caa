// What the two plot windows share: the bitmap export through a save dialog,
// written through a temporary file so that a failed write leaves no half file.
#pragma once

#include <QImage>
#include <QString>

#include "core/base/Result.h"

namespace phonotab {

class Prompts;

// Asks for the file (starting in folder) and writes the image as a bitmap;
// empty when the user cancelled.
Result<QString> saveBitmapAs(const QImage& image, Prompts& prompts, const QString& folder);
// Writes the image in the format of the path's suffix (bmp, png) through a
// temporary file.
Result<QString> writeImage(const QImage& image, const QString& path);

}  // namespace phonotab
