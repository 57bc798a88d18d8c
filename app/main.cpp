#include <QApplication>

#include "app/plotfile.h"
#include "app/russiantranslations.h"
#include "cli/commandline.h"
#include "window/form1.h"

int main(int argc, char* argv[]) {
    if (IsCommandLineStart(argc, argv)) {
        return RunCommandLine(argc, argv, WritePlotFile);  // no window, no display needed
    }
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(
        QStringLiteral("io.github.tabulator.Tabulator"));  // the desktop entry's icon
    InstallRussianTranslations(app);
    Form1 form;
    form.show();
    return QApplication::exec();
}
