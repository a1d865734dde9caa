#include "gui/acoustics/ZoneCommands.h"

#include "gui/acoustics/BoundsDialog.h"
#include "core/acoustics/CorrectionBands.h"
#include "gui/acoustics/CorrectionsDialog.h"
#include "gui/base/ProjectSession.h"

namespace phonotab {

namespace {

// Exclusions change what is counted (32781); corrections only the values (32780).
DocumentNotice noticeFor(const RangeZone& z) {
    return z.exclusion != 0 ? DocumentNotice::WorkRangeChanged : DocumentNotice::PlotContentChanged;
}

}  // namespace

const CalcFile* ZoneCommands::file() const { return session_.currentFile(); }

void ZoneCommands::edit(const std::function<Status(CalcFile&)>& change, DocumentNotice notice) {
    if (Status st = session_.controller().editCurrentFile(change, notice); !st)
        session_.prompts().showMessage(st.error());
}

bool ZoneCommands::askCorrections(Corrections& values) {
    const CalcFile* f = file();
    if (!f) return false;
    CorrectionsDialog dialog(correctionBands(currentTeleDesc(), f->file.layout), values, session_.prompts(), parent_);
    if (dialog.exec() != QDialog::Accepted) return false;
    values = dialog.values();
    return true;
}

void ZoneCommands::editBounds(std::size_t zone) {
    const CalcFile* f = file();
    if (!f || zone >= f->ranges.zoneCount()) return;
    const RangeZone& z = f->ranges.zone(zone);
    const DocumentNotice notice = noticeFor(z);
    BoundsDialog dialog(z.begin, z.end, f->file.startTime, session_.prompts(), parent_);
    if (dialog.exec() != QDialog::Accepted) return;
    const double a = dialog.begin(), b = dialog.end();
    edit(
        [=](CalcFile& cf) {
            cf.ranges.setZoneBounds(zone, a, b);
            return Status{};
        },
        notice);
}

void ZoneCommands::changeCorrections(std::size_t zone) {
    const CalcFile* f = file();
    if (!f || zone >= f->ranges.zoneCount()) return;
    Corrections values = f->ranges.zone(zone).corrections;
    if (!askCorrections(values)) return;
    edit(
        [=](CalcFile& cf) {
            cf.ranges.setZoneCorrections(zone, values);
            return Status{};
        },
        DocumentNotice::PlotContentChanged);
}

void ZoneCommands::remove(std::size_t zone) {
    const CalcFile* f = file();
    if (!f || zone >= f->ranges.zoneCount()) return;
    edit(
        [zone](CalcFile& cf) {
            cf.ranges.removeZone(zone);
            return Status{};
        },
        noticeFor(f->ranges.zone(zone)));
}

void ZoneCommands::toExclusion(std::size_t zone) {
    edit(
        [zone](CalcFile& cf) {
            if (zone < cf.ranges.zoneCount()) cf.ranges.convertToExclusion(zone);
            return Status{};
        },
        DocumentNotice::WorkRangeChanged);
}

void ZoneCommands::toCorrection(std::size_t zone) {
    Corrections values{};
    if (!askCorrections(values)) return;
    edit(
        [zone, values](CalcFile& cf) {
            if (zone < cf.ranges.zoneCount()) cf.ranges.convertToCorrection(zone, values);
            return Status{};
        },
        DocumentNotice::PlotContentChanged);
}

}  // namespace phonotab
