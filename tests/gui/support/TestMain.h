// Several Qt Test classes in one program: each file registers its class, the
// main function runs them all in one application object.
#pragma once

#include <QObject>

#include <functional>
#include <memory>

namespace phonotab::testing {

using TestFactory = std::function<std::unique_ptr<QObject>()>;
bool registerTestClass(TestFactory factory);

}  // namespace phonotab::testing

#define PHONOTAB_REGISTER_TEST(Class)                                                                 \
    static const bool registered##Class = phonotab::testing::registerTestClass([] {                 \
        return std::unique_ptr<QObject>(new Class);                                                 \
    });
