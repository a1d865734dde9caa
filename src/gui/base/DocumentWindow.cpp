#include "gui/base/DocumentWindow.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace phonotab {

namespace {

// Unbinds the window from its owner when it is shown, before the window
// system learns of it.
class OwnerRelease : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show)
            if (auto* w = qobject_cast<QWidget*>(watched); w && w->isWindow() && w->windowHandle())
                w->windowHandle()->setTransientParent(nullptr);
        return false;
    }
};

}  // namespace

void makeDocumentWindow(QWidget& window) {
    window.setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                          Qt::WindowCloseButtonHint);
    window.installEventFilter(new OwnerRelease(&window));
}

}  // namespace phonotab
