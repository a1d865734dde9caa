// "Коррекции": one value in dB per band the file's layout has, with the
// catalogue's captions; family 3 first, then family 1, then family 2 in
// three columns. Nothing is returned unless every value reads as a number.
#pragma once

#include <QDialog>
#include <QLineEdit>

#include <array>
#include <vector>

#include "core/acoustics/CorrectionBands.h"
#include "core/acoustics/RangeSet.h"

namespace phonotab {

class Prompts;

class CorrectionsDialog : public QDialog {
    Q_OBJECT
public:
    // familyHeadings: the captions of families 1 to 3 over their columns
    // (the telemetry description's); none when empty.
    CorrectionsDialog(const std::vector<CorrectionBand>& bands, const Corrections& values, Prompts& prompts,
                      QWidget* parent = nullptr, const std::array<QString, 3>& familyHeadings = {});

    const Corrections& values() const { return values_; }
    const std::vector<QLineEdit*>& edits() const { return edits_; }

    void accept() override;

private:
    std::vector<CorrectionBand> bands_;
    std::vector<QLineEdit*> edits_;
    Corrections values_;
    Prompts& prompts_;
};

}  // namespace phonotab
