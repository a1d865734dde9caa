#include "render/pictures/PngBytes.h"

#include <QBuffer>
#include <QByteArray>

namespace phonotab {

Result<std::string> pngBytes(const QImage& image, const std::string& name) {
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "PNG")) return Message(msg::PictureUnreadable, name);
    return std::string(out.constData(), static_cast<std::size_t>(out.size()));
}

}  // namespace phonotab
