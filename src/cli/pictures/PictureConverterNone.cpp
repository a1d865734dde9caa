#include "PictureConverter.h"

namespace phonotab::cli {

Result<std::string> convertPictureToPng(const std::string&, const std::string& path) {
    return Message(msg::PictureNotConverted, path);
}

}  // namespace phonotab::cli
