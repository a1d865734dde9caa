#include "core/platform/DocxText.h"

#include "core/base/TextCodec.h"

namespace phonotab {

std::string cleanDocumentText(std::string_view text) {
    std::string out = isValidUtf8(text) ? std::string(text) : decodeLocal8Bit(text);
    std::erase_if(out, [](char ch) {
        const auto c = static_cast<unsigned char>(ch);
        return c < 0x20 && c != '\t' && c != '\n' && c != '\r';
    });
    return out;
}

std::vector<std::string> splitDocumentLines(std::string_view text) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch == '\r' || ch == '\n') {
            if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            lines.emplace_back();
        } else {
            lines.back().push_back(ch);
        }
    }
    return lines;
}

void appendXmlEscaped(std::string& out, std::string_view text, bool attribute) {
    std::size_t from = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        const char* entity = ch == '&'                    ? "&amp;"
                             : ch == '<'                  ? "&lt;"
                             : ch == '>'                  ? "&gt;"
                             : (attribute && ch == '"')   ? "&quot;"
                                                          : nullptr;
        if (!entity) continue;
        out.append(text, from, i - from);
        out += entity;
        from = i + 1;
    }
    out.append(text, from, std::string_view::npos);
}

}  // namespace phonotab
