// The text side of the formula dialog: the buttons that wrap the whole formula
// into a function call, and the help text.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace phonotab {

enum class FormulaWrap { Esum, Lin, Log, Wsum, Vatovs, Max, Min, Sum, Sqrt };

// Reference levels of the dialog's choice: 0 "другой" (the user types it),
// 1 "20*10^-6 Па", 2 "1*10^-6 м/с^2", 3 "5*10^-8 м/с". Values outside 0..3 count as 0.
int clampReferenceLevel(int level);

// "ESUM(" text ")", "LIN(" text ", 20E-6)" ...: LIN and LOG end with the chosen
// reference level (", )" for "другой"), WSUM and VATOVS with ", )".
std::string WrapFormulaText(FormulaWrap wrap, const std::string& text, int referenceLevel);

// The lines of the help file "calc_help.txt" (trailing line ends removed);
// nothing when the file cannot be read.
std::optional<std::vector<std::string>> LoadFormulaHelp(const std::string& path);

// The built-in help shown when the file is missing: strings 286 and 287.
std::string BuiltInFormulaHelp();

}  // namespace phonotab
