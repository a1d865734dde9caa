#include "render/pictures/PanePicture.h"

namespace phonotab {

Result<std::string> panePng(const GraphPane&, int, int, const std::string& name) {
    return Message(msg::PictureNotConverted, name);
}

}  // namespace phonotab
