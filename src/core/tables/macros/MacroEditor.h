// The text operations of the macro editor ("Редактирование макроса", button
// "Операции"): the selected part of the macro text is shifted by a row or a
// column, or repeated with a shift ("Размножить формулу"). Positions are byte
// offsets into the UTF-8 text; a selection is [start, end).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/base/Result.h"

namespace phonotab {

struct MacroTextEdit {
    std::string text;
    std::size_t selectionStart = 0;
    std::size_t selectionEnd = 0;
};

// "Сместить выделенную формулу влево/вправо/вверх/вниз".
enum class MacroShift { Left, Right, Up, Down };

// The selected text rewritten with its references one column or row further
// ("$" keeps a part fixed), put back and selected.
MacroTextEdit ShiftSelectedText(std::string_view text, std::size_t start, std::size_t end, MacroShift direction);

// The settings of "Размножить формулу", kept in the profile section
// "CopyFormula" under "Q", "XOfs" and "YOfs".
struct CopyFormulaSettings {
    int q = 1;     // "Количество"
    int xOfs = 0;  // "Сдвиг по горизонтали"
    int yOfs = 0;  // "Сдвиг по вертикали"
};
inline constexpr const char* CopyFormulaSection = "CopyFormula";

// Inserts Q copies of the selected text after the selection, each shifted by
// (XOfs, YOfs) from the one before; the selection stays. A count of 0 or less
// changes nothing; 5603 when the macro would grow beyond a megabyte.
Result<MacroTextEdit> ReplicateSelectedText(std::string_view text, std::size_t start, std::size_t end,
                                            const CopyFormulaSettings& settings);

}  // namespace phonotab
