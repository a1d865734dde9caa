#include "gui/base/ChildWindow.h"

#include "gui/base/DocumentWindow.h"
#include "gui/base/ProjectSession.h"
#include "gui/base/ScreenPlacement.h"
#include "gui/base/SettingsStore.h"

namespace phonotab {

namespace {
const QString kChildWindowSection = QStringLiteral("Settings");
constexpr int kMinStoredSize = 50;  // a smaller stored rectangle is not used
}  // namespace

ChildWindow::ChildWindow(ProjectSession& session, WindowKind kind, const QString& title, const QString& settingsKey,
                     QWidget* parent)
    : QDialog(parent), session_(session), kind_(kind), settingsKey_(settingsKey) {
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(title);
    resize(420, 300);
    if (!settingsKey_.isEmpty()) {
        const auto r = session_.settings().rect(kChildWindowSection, settingsKey_);
        if (r && r->width() > kMinStoredSize && r->height() > kMinStoredSize && r->x() >= 0 && r->y() >= 0 &&
            titleBarReachable(*r, availableScreenAreas())) {
            setGeometry(*r);
            placed_ = true;
        }
    }
    connect(&session_, &ProjectSession::projectSync, this, [this](int direction) {
        if (direction == 0)
            putIntoProject();
        else
            takeFromProject();
    });
    connect(&session_, &ProjectSession::fileChanged, this, [this] { currentFileChanged(); });
    connect(&session_, &ProjectSession::viewChanged, this, [this] { viewChanged(); });
    connect(&session_, &ProjectSession::plotContentChanged, this, [this] { plotContentChanged(); });
    connect(&session_, &ProjectSession::workRangeChanged, this, [this] { workRangeChanged(); });
    connect(&session_, &ProjectSession::mainMoved, this, [this] { mainWindowMoved(); });
}

void ChildWindow::showEvent(QShowEvent* e) {
    shown_ = true;
    QDialog::showEvent(e);
}

void ChildWindow::makeDocumentWindow() {
    const QRect placed = geometry();
    phonotab::makeDocumentWindow(*this);
    if (placed_)
        setGeometry(placed);
    else
        resize(placed.size());
}

ChildWindow::~ChildWindow() {
    if (shown_ && !settingsKey_.isEmpty()) session_.settings().setRect(kChildWindowSection, settingsKey_, geometry());
}

}  // namespace phonotab
