// Helpers of the table window's walks: a menu item chosen by its text, and a
// selection set as a drag would set it.
#pragma once

#include <QMenu>
#include <QTest>

#include <memory>

#include "WindowWalk.h"
#include "gui/tables/TableWindow.h"

namespace phonotab::testing {

inline void trigger(std::unique_ptr<QMenu> menu, text::Id textId) {
    QAction* a = actionNamed(*menu, textId);
    QVERIFY2(a, qPrintable(QString::fromStdString(tr(textId))));
    a->trigger();
}

inline void select(TableWindow& w, CellRect r) { w.table().selection = TableSelection::fromRect(r); }

}  // namespace phonotab::testing
