#include "render/pictures/TableGraphPicture.h"

namespace phonotab {

Result<std::string> tableGraphPng(const ReportTable& table, const DisplayTexts&, const std::string& caption) {
    return Message(msg::TableGraphUnavailable, caption, table.name);
}

}  // namespace phonotab
