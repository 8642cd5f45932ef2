// The main of every window test program: one QApplication, made before the first test runs and
// shared by all of them.
#include <QApplication>

#include <gtest/gtest.h>

#include <optional>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // Listing the tests, as CTest does to register them, needs no display.
    std::optional<QApplication> application;
    if (!GTEST_FLAG_GET(list_tests))
        application.emplace(argc, argv);
    return RUN_ALL_TESTS();
}
