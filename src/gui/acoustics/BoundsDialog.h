// "Границы": the begin and end of the work range or of a zone, each shown in
// the instrument's clock time and relative to the record's start; editing one
// frame rewrites the other. Numbers read with a decimal comma or point; OK
// refuses a field that holds something else.
#pragma once

#include <QDialog>
#include <QLineEdit>

#include <array>

#include "core/base/CalendarTime.h"

namespace phonotab {

class Prompts;

class BoundsDialog : public QDialog {
    Q_OBJECT
public:
    BoundsDialog(double begin, double end, const CalendarTime& start, Prompts& prompts, QWidget* parent = nullptr);

    // Seconds from the record's start.
    double begin() const { return times_[0]; }
    double end() const { return times_[1]; }

    // The fields of one time: 0 begin, 1 end; frame 0 the clock, 1 relative;
    // field 0 days, 1 hours, 2 minutes, 3 seconds.
    QLineEdit* field(int time, int frame, int part) const { return fields_[time][frame][part]; }

    void accept() override;

private:
    void fill(int time, int frame);
    void edited(int time, int frame);

    CalendarTime start_;
    Prompts& prompts_;
    std::array<double, 2> times_{};
    std::array<std::array<std::array<QLineEdit*, 4>, 2>, 2> fields_{};
};

}  // namespace phonotab
