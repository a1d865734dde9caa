#include "core/measurement/BandNameLanguage.h"

#include <algorithm>
#include <cctype>

#include "core/base/StringTable.h"
#include "core/base/TextIds.h"

namespace phonotab {

namespace {

const std::string kDescriptionHertz = " Гц";
const std::string kDescriptionKilohertz = " кГц";

bool endsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// Digits with at most one decimal comma: the frequency part of a band name.
bool isFrequency(const std::string& s) {
    if (s.empty() || !std::isdigit(static_cast<unsigned char>(s.front())) ||
        !std::isdigit(static_cast<unsigned char>(s.back())))
        return false;
    if (std::count(s.begin(), s.end(), ',') > 1) return false;
    return std::all_of(s.begin(), s.end(), [](char c) { return c == ',' || std::isdigit(static_cast<unsigned char>(c)); });
}

}  // namespace

BandNameUnits currentBandNameUnits() {
    return {tr(text::HertzUnit), tr(text::KiloHertzUnit), tr(text::BandDecimalSeparator)};
}

std::string localizedBandName(const std::string& name, const BandNameUnits& units) {
    const bool kilo = endsWith(name, kDescriptionKilohertz);
    if (!kilo && !endsWith(name, kDescriptionHertz)) return name;
    std::string number = name.substr(0, name.size() - (kilo ? kDescriptionKilohertz : kDescriptionHertz).size());
    if (!isFrequency(number)) return name;
    if (const auto comma = number.find(','); comma != std::string::npos)
        number.replace(comma, 1, units.decimalSeparator);
    return number + " " + (kilo ? units.kilohertz : units.hertz);
}

void localizeBandNames(std::vector<std::string>& names, const BandNameUnits& units) {
    for (std::string& n : names) n = localizedBandName(n, units);
}

}  // namespace phonotab
