#include "render/pictures/PictureConverter.h"

namespace phonotab {

Result<std::string> convertPictureToPng(const std::string&, const std::string& path) {
    return Message(msg::PictureNotConverted, path);
}

Result<std::string> printablePng(const std::string& bytes, const std::string&) { return bytes; }

}  // namespace phonotab
