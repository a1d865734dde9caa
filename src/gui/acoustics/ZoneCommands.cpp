#include "gui/acoustics/ZoneCommands.h"

#include "gui/acoustics/BoundsDialog.h"
#include "core/acoustics/CorrectionBands.h"
#include "gui/acoustics/CorrectionsDialog.h"
#include "core/measurement/Catalogue.h"
#include "gui/base/UiText.h"
#include "gui/base/ProjectSession.h"

namespace phonotab {

const CalcFile* ZoneCommands::file() const { return session_.currentFile(); }

void ZoneCommands::report(const Status& status) {
    if (!status) session_.prompts().showMessage(status.error());
}

bool ZoneCommands::askCorrections(Corrections& values) {
    const CalcFile* f = file();
    if (!f) return false;
    std::array<QString, 3> headings;
    for (int family = 1; family <= 3; ++family)
        headings[static_cast<std::size_t>(family - 1)] = toQt(familyCaption(f->file.layout, family));
    CorrectionsDialog dialog(correctionBands(session_.teleDescription(), f->file.layout), values, session_.prompts(),
                             parent_, headings);
    if (dialog.exec() != QDialog::Accepted) return false;
    values = dialog.values();
    return true;
}

void ZoneCommands::editBounds(std::size_t zone) {
    const CalcFile* f = file();
    if (!f || zone >= f->ranges.zoneCount()) return;
    const RangeZone& z = f->ranges.zone(zone);
    BoundsDialog dialog(z.begin, z.end, f->file.startTime, session_.prompts(), parent_);
    if (dialog.exec() != QDialog::Accepted) return;
    const double a = dialog.begin(), b = dialog.end();
    report(session_.controller().setZoneBounds(zone, a, b));
}

void ZoneCommands::changeCorrections(std::size_t zone) {
    const CalcFile* f = file();
    if (!f || zone >= f->ranges.zoneCount()) return;
    Corrections values = f->ranges.zone(zone).corrections;
    if (!askCorrections(values)) return;
    report(session_.controller().setZoneCorrections(zone, values));
}

void ZoneCommands::remove(std::size_t zone) {
    const CalcFile* f = file();
    if (!f || zone >= f->ranges.zoneCount()) return;
    report(session_.controller().removeZone(zone));
}

void ZoneCommands::toExclusion(std::size_t zone) {
    const CalcFile* f = file();
    if (!f || zone >= f->ranges.zoneCount()) return;
    report(session_.controller().convertToExclusion(zone));
}

void ZoneCommands::toCorrection(std::size_t zone) {
    Corrections values{};
    if (!askCorrections(values)) return;
    const CalcFile* f = file();
    if (!f || zone >= f->ranges.zoneCount()) return;
    report(session_.controller().convertToCorrection(zone, values));
}

}  // namespace phonotab
