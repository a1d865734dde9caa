#include "TestMain.h"

#include <QApplication>
#include <QTest>

#include <vector>

namespace phonotab::testing {

namespace {
std::vector<TestFactory>& registry() {
    static std::vector<TestFactory> factories;
    return factories;
}
}  // namespace

bool registerTestClass(TestFactory factory) {
    registry().push_back(std::move(factory));
    return true;
}

}  // namespace phonotab::testing

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int failures = 0;
    for (const auto& make : phonotab::testing::registry()) {
        std::unique_ptr<QObject> test = make();
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
