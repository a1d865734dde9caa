#include "core/tables/macros/MacroEditor.h"

#include <algorithm>

#include "core/tables/formula/ShiftReferences.h"

namespace phonotab {

namespace {

constexpr std::size_t kMaxMacroLength = 1024 * 1024;
// Far beyond any table; keeps the arithmetic on references in range.
constexpr int kMaxOffset = 1'000'000;

void clampSelection(std::string_view text, std::size_t& start, std::size_t& end) {
    start = std::min(start, text.size());
    end = std::min(end, text.size());
    if (start > end) std::swap(start, end);
}

}  // namespace

MacroTextEdit ShiftSelectedText(std::string_view text, std::size_t start, std::size_t end, MacroShift direction) {
    clampSelection(text, start, end);
    std::string part(text.substr(start, end - start));
    const int dc = direction == MacroShift::Left ? -1 : direction == MacroShift::Right ? 1 : 0;
    const int dr = direction == MacroShift::Up ? -1 : direction == MacroShift::Down ? 1 : 0;
    ShiftReferences(part, std::nullopt, dc, dr, false, true);
    MacroTextEdit e;
    e.text = std::string(text.substr(0, start)) + part + std::string(text.substr(end));
    e.selectionStart = start;
    e.selectionEnd = start + part.size();
    return e;
}

Result<MacroTextEdit> ReplicateSelectedText(std::string_view text, std::size_t start, std::size_t end,
                                            const CopyFormulaSettings& settings) {
    clampSelection(text, start, end);
    MacroTextEdit e{std::string(text), start, end};
    if (settings.q <= 0 || start == end) return e;
    if (static_cast<std::size_t>(settings.q) > kMaxMacroLength / (end - start) ||
        text.size() + static_cast<std::size_t>(settings.q) * (end - start) > kMaxMacroLength)
        return Message(msg::MacroTooLong);
    const int dc = std::clamp(settings.xOfs, -kMaxOffset, kMaxOffset);
    const int dr = std::clamp(settings.yOfs, -kMaxOffset, kMaxOffset);
    std::string copies;
    std::string running(text.substr(start, end - start));
    for (int i = 0; i < settings.q; ++i) {
        ShiftReferences(running, std::nullopt, dc, dr, false, true);
        copies += running;
        // A shifted reference can grow ("Z9" to "AA10"); the copies stay bounded.
        if (copies.size() + text.size() > kMaxMacroLength) return Message(msg::MacroTooLong);
    }
    e.text.insert(end, copies);
    return e;
}

}  // namespace phonotab
