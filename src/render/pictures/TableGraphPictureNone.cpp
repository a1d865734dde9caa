#include "render/pictures/TableGraphPicture.h"

namespace phonotab {

Result<ReportPicture> tableGraphPicture(const ReportTable& table, const DisplayTexts&, const std::string& caption) {
    return Message(msg::TableGraphUnavailable, caption, table.name);
}

}  // namespace phonotab
