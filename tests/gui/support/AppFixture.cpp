#include "AppFixture.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTest>

#include "core/base/StringTable.h"

namespace phonotab::testing {

QString dataFolder() {
    const QByteArray env = qgetenv("PHONOTAB_DATA_DIR");
    return env.isEmpty() ? QStringLiteral("data") : QString::fromLocal8Bit(env);
}

QString demoFile(const QString& name) { return dataFolder() + "/demo/" + name; }

QString AppFixture::folder(const QString& name) const {
    const QString path = scratch.path() + "/" + name;
    QDir().mkpath(path);
    return path;
}

QString AppFixture::openDemoCopy(const QString& name) {
    const QString work = folder(name);
    // The shipped files only: not what a run of the demo wrote beside them.
    const QDir demo(dataFolder() + "/demo", QString(), QDir::Name, QDir::Files);
    for (const QString& file : demo.entryList({"*.bin", "*.cbf", "*.mnt", "*.ldl", "demo.pht"}))
        QFile::copy(demo.filePath(file), work + "/" + file);
    if (!session().loadProject(work + "/demo.pht")) return {};
    prompts.folders.push_back(work);
    if (!session().controller().changeWorkingFolder()) return {};
    return work;
}

void AppFixture::start() {
    {
        SettingsStore s = settings();
        if (s.text("Init", "Language").isEmpty() && prompts.languages.empty()) s.setText("Init", "Language", "ru.txt");
    }
    Application::Options options;
    options.settingsFile = settingsFile();
    options.paths = AppPaths{dataFolder(), userFolder()};
    options.prompts = &prompts;
    app = std::make_unique<Application>(options);
    app->initInstance();
    app->mainWindow().show();
    QVERIFY(QTest::qWaitForWindowExposed(&app->mainWindow()));
}

bool AppFixture::enabled(int command) {
    const auto actions = commands().actions(command);
    if (actions.empty()) return false;
    for (QAction* a : actions)
        if (!a->isEnabled()) return false;
    return true;
}

bool AppFixture::checked(int command) { return commands().action(command)->isChecked(); }

}  // namespace phonotab::testing
