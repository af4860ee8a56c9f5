#pragma once
// main() for the Qt tests: an offscreen QApplication (also when the test list is read without the
// test environment), then GoogleTest.

#include <QApplication>
#include <gtest/gtest.h>

#define KL_QT_TEST_MAIN()                                                                                    \
    int main(int argc, char** argv) {                                                                        \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");         \
        QApplication app(argc, argv);                                                                        \
        ::testing::InitGoogleTest(&argc, argv);                                                              \
        return RUN_ALL_TESTS();                                                                              \
    }
