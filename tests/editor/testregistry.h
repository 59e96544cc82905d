#pragma once
// The QtTest classes of this executable register themselves; the test main runs each in turn.
#include <QObject>

#include <functional>
#include <memory>
#include <vector>

namespace tarvena::testing {

using TestFactory = std::function<std::unique_ptr<QObject>()>;
std::vector<TestFactory> &registeredTests();

template <class T> struct RegisterTest
{
    RegisterTest()
    {
        registeredTests().push_back([] { return std::make_unique<T>(); });
    }
};

} // namespace tarvena::testing

#define TARVENA_REGISTER_TEST(Class) static const tarvena::testing::RegisterTest<Class> registered##Class;
