#include "gui/app/StartPanel.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/platform/AtomicFile.h"
#include "gui/app/MainCommands.h"
#include "core/project/MruList.h"
#include "gui/base/ProjectSession.h"
#include "gui/base/UiText.h"

namespace phonotab {

StartPanel::StartPanel(ProjectSession& session, QWidget* parent) : QWidget(parent), session_(session) {
    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(uiText(text::GettingStarted), this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    layout->addWidget(heading);
    auto* row = new QHBoxLayout;
    for (int command : {command::OpenProject, command::OpenFile}) {
        auto* open = new QPushButton(uiText(static_cast<text::Id>(command)), this);
        connect(open, &QPushButton::clicked, this, [this, command] { emit commandRequested(command); });
        row->addWidget(open);
    }
    auto* demo = new QPushButton(uiText(text::OpenDemoProject), this);
    demo->setObjectName(QStringLiteral("openDemoProject"));
    connect(demo, &QPushButton::clicked, this, [this] { openDemoProject(); });
    row->addWidget(demo);
    row->addStretch();
    layout->addLayout(row);
    recent_ = new QVBoxLayout;
    recent_->setSpacing(0);
    layout->addLayout(recent_);
    refresh();
}

void StartPanel::refresh() {
    setVisible(!session_.projectOpen() && session_.currentFile() == nullptr);
    while (QLayoutItem* item = recent_->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    const MruList& projects = session_.recentProjects();
    if (projects.size() > 0) recent_->addWidget(new QLabel(uiText(static_cast<text::Id>(command::RecentProject1)), this));
    for (std::size_t i = 0; i < projects.size(); ++i) {
        const QString path = toQt(projects.at(i));
        auto* open = new QPushButton(QFileInfo(path).fileName(), this);
        open->setToolTip(QDir::toNativeSeparators(path));
        open->setFlat(true);
        open->setStyleSheet(QStringLiteral("text-align: left"));
        connect(open, &QPushButton::clicked, this, [this, path] { session_.loadProject(path); });
        recent_->addWidget(open);
    }
}

bool StartPanel::openDemoProject() {
    const QDir shipped(session_.paths().dataFolder + QStringLiteral("/demo"));
    const QString copy = session_.paths().userFolder + QStringLiteral("/demo");
    // A copy that cannot be made is said, not passed over.
    if (!QDir().mkpath(copy)) {
        session_.prompts().showMessage(Message(msg::CannotWrite, fromQt(copy)));
        return false;
    }
    // Files already there are the user's: a calculation's results, a saved project.
    for (const QString& name : shipped.entryList(QDir::Files))
        if (const Result<bool> copied = copyFileIfAbsent(fromQt(shipped.filePath(name)), fromQt(copy + "/" + name));
            !copied) {
            session_.prompts().showMessage(copied.error());
            return false;
        }
    const QString project = copy + QStringLiteral("/demo.pht");
    return QFileInfo::exists(project) && session_.loadProject(project);
}

}  // namespace phonotab
