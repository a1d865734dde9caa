// C-style number and text formatting under the "C" locale.
//
// Every output whose format the program's files fix ("%lg", "%.2lf", "%08X" ...)
// goes through here, so that the user's locale (which the desktop toolkit
// installs) never turns a decimal point into a comma.
#pragma once

#include <string>

namespace phonotab {

std::string cformat(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
// Appends to out instead of returning a new string.
void cformatAppend(std::string& out, const char* fmt, ...) __attribute__((format(printf, 2, 3)));

// "%lg" of v, identical to snprintf's text but several times faster (result files
// write millions of numbers). Appends to out.
void appendLg(std::string& out, double v);
std::string formatLg(double v);

// "%.Nlf" of v (N = precision), identical to snprintf's text, without its cost.
void appendFixed(std::string& out, double v, int precision);

// Reads a double the way sscanf("%lg") does under the "C" locale: leading blanks
// skipped, the longest numeric prefix taken. False when no number starts there.
bool scanLg(const char* text, double& out, const char** end = nullptr);

}  // namespace phonotab
