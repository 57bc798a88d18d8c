// Runs the window's tests on Qt's offscreen platform unless another is asked
// for, so they need no display.
#include <QApplication>
#include <gtest/gtest.h>

#include "app/russiantranslations.h"

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    InstallRussianTranslations(app);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
