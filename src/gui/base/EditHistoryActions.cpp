#include "gui/base/EditHistoryActions.h"

#include <QAction>
#include <QKeySequence>
#include <QWidget>

#include "gui/base/ProjectSession.h"

namespace phonotab {

void addEditHistoryActions(QWidget* window, ProjectSession& session) {
    auto add = [&](QKeySequence::StandardKey key, const char* name, bool (DocumentController::*step)()) {
        auto* action = new QAction(window);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcuts(key);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        QObject::connect(action, &QAction::triggered, window, [&session, step] { (session.controller().*step)(); });
        window->addAction(action);
    };
    add(QKeySequence::Undo, "undoEdit", &DocumentController::undo);
    add(QKeySequence::Redo, "redoEdit", &DocumentController::redo);
}

}  // namespace phonotab
