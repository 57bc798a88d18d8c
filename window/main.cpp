#include <QApplication>

#include "window/form1.h"
#include "window/russiantranslations.h"
#include "window/vectorstate.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    ClearUpperVectorState();
    QGuiApplication::setDesktopFileName(QStringLiteral("tabulator"));  // the desktop entry's icon
    InstallRussianTranslations(app);
    Form1 form;
    form.show();
    return QApplication::exec();
}
