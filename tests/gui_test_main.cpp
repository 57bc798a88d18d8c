// Runs the window's tests on Qt's offscreen platform unless another is asked
// for, so they need no display.
#include <QApplication>
#include <QFont>
#include <gtest/gtest.h>

#include "app/russiantranslations.h"

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    InstallRussianTranslations(app);
    // A desktop's standard font of another size, as a user may set it.
    if (const double points = qEnvironmentVariable("TABULATOR_TEST_FONT_POINTS").toDouble();
        points > 0) {
        QFont font = QApplication::font();
        font.setPointSizeF(points);
        QApplication::setFont(font);
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
