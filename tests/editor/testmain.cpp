// Runs every registered test class with one application object, as the program has one.
#include "app/regionalsettings.h"
#include "tests/editor/testregistry.h"

#include <QApplication>
#include <QTest>

namespace tarvena::testing {

std::vector<TestFactory> &registeredTests()
{
    static std::vector<TestFactory> tests;
    return tests;
}

} // namespace tarvena::testing

// A first argument naming a test class runs only that class; the other arguments go to QtTest.
int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    tarvena::InitRegionalSettings(application);
    QApplication::setApplicationName(QStringLiteral("Tarvena"));

    QByteArray only;
    if (argc > 1 && argv[1][0] != '-') {
        only = argv[1];
        argv[1] = argv[0];
        --argc;
        ++argv;
    }
    int failed = 0;
    int ran = 0;
    for (const auto &make : tarvena::testing::registeredTests()) {
        const std::unique_ptr<QObject> test = make();
        if (!only.isEmpty() && only != test->metaObject()->className())
            continue;
        ++ran;
        failed += QTest::qExec(test.get(), argc, argv) != 0;
    }
    return failed == 0 && ran > 0 ? 0 : 1;
}
