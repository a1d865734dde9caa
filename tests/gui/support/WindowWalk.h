// Helpers of the acoustic windows' walks: answering a modal dialog once it
// shows, and finding a menu item by its text.
#pragma once

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <functional>

#include "core/base/StringTable.h"
#include "core/base/TextIds.h"

namespace phonotab::testing {

// Runs `answer` on the next modal dialog of type D once it is shown.
template <typename D>
void whenShown(const std::function<void(D&)>& answer) {
    QTimer::singleShot(0, [answer] {
        D* d = qobject_cast<D*>(QApplication::activeModalWidget());
        QVERIFY(d);
        answer(*d);
    });
}

// The item of the menu with the text of the string table's textId; null when none.
inline QAction* actionNamed(QMenu& menu, text::Id textId) {
    for (QAction* a : menu.actions())
        if (a->text() == QString::fromStdString(phonotab::tr(textId))) return a;
    return nullptr;
}

}  // namespace phonotab::testing
