// Band names in the interface language. The telemetry description writes its
// band names once, with the Russian units and decimal comma ("31,5 Гц",
// "1,25 кГц"); a user of another language reads them with that language's
// units and decimal separator ("31.5 Hz", "1.25 kHz").
#pragma once

#include <string>
#include <vector>

namespace phonotab {

struct BandNameUnits {
    std::string hertz = "Гц";
    std::string kilohertz = "кГц";
    std::string decimalSeparator = ",";
};

// The units of the current language table.
BandNameUnits currentBandNameUnits();

// A name that is a number followed by " Гц" or " кГц" gets the given units and
// decimal separator; any other name is returned as it is.
std::string localizedBandName(const std::string& name, const BandNameUnits& units);
void localizeBandNames(std::vector<std::string>& names, const BandNameUnits& units);

}  // namespace phonotab
