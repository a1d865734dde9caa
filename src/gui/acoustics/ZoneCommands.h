// The zone commands of the right-click menus that the ranges window and the
// time plot share: bounds, corrections, removal and conversion of one zone of
// the current file, each through the document controller's edit of that name,
// with its refusal shown to the user.
#pragma once

#include <cstddef>
#include <functional>

#include "core/acoustics/CalculateFile.h"
#include "core/project/DocumentNotice.h"

class QWidget;

namespace phonotab {

class ProjectSession;

class ZoneCommands {
public:
    // parent: the window the dialogs belong to.
    ZoneCommands(ProjectSession& session, QWidget* parent) : session_(session), parent_(parent) {}

    // Shows an edit's refusal to the user.
    void report(const Status& status);
    // The corrections dialog over the values; false when cancelled or without a file.
    bool askCorrections(Corrections& values);

    void editBounds(std::size_t zone);
    void changeCorrections(std::size_t zone);
    void remove(std::size_t zone);
    void toExclusion(std::size_t zone);
    void toCorrection(std::size_t zone);

private:
    const CalcFile* file() const;

    ProjectSession& session_;
    QWidget* parent_;
};

}  // namespace phonotab
