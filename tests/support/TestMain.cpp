#include <QGuiApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Test discovery runs without a display; tests that need one set QT_QPA_PLATFORM themselves.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
