#include "AppFixture.h"

#include <QAction>
#include <QTest>

#include "base/StringTable.h"

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

void AppFixture::start() {
    {
        SettingsStore s = settings();
        if (s.text("Init", "Language").isEmpty() && prompts.languages.empty()) s.setText("Init", "Language", "ru.txt");
    }
    CPhonotabApp::Options options;
    options.settingsFile = settingsFile();
    // The reference books and standard tables the program writes go into a
    // scratch user folder, seeded from the build's data as on a first start.
    options.paths = AppPaths{dataFolder(), folder("user")};
    options.paths.seedUserFolder();
    options.prompts = &prompts;
    app = std::make_unique<CPhonotabApp>(options);
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
