#include <QApplication>

#include "window/commandline.h"
#include "window/form1.h"
#include "window/russiantranslations.h"
#include "window/vectorstate.h"

int main(int argc, char* argv[]) {
    if (argc > 1) {
        return RunCommandLine(argc, argv);  // no window, no display needed
    }
    QApplication app(argc, argv);
    ClearUpperVectorState();
    QGuiApplication::setDesktopFileName(
        QStringLiteral("io.github.tabulator.Tabulator"));  // the desktop entry's icon
    InstallRussianTranslations(app);
    Form1 form;
    form.show();
    return QApplication::exec();
}
