#include "app/plotfile.h"

#include <cstdio>

#include <QApplication>
#include <QPainter>

#include "app/russiantranslations.h"
#include "saving/plotimage.h"
#include "view/runplot.h"

namespace {

// The toolkit's own notes (of the offscreen platform, of a missing runtime
// folder) are nothing to a command line's user: standard error is for the
// program's words.
void Quietly(QtMsgType type, const QMessageLogContext& /*context*/, const QString& message) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    }
}

// The application a plot is drawn in; the command line made none.
void EnsureApplication() {
    static int argc = 1;
    static char name[] = "tabulator";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");  // no display needed, whatever there is
        qInstallMessageHandler(Quietly);
        auto* app = new QApplication(argc, argv);  // lives as long as the process
        InstallRussianTranslations(*app);
    }
}

}  // namespace

std::string WritePlotFile(const RunRecord& record, const std::string& path, int width, int height) {
    EnsureApplication();
    const QString file = QString::fromStdString(path);
    RunPlot plot(record, nullptr);
    plot.setAttribute(Qt::WA_DontShowOnScreen);
    plot.resize(width, height - plot.LegendHeight(width));
    plot.show();
    QApplication::processEvents();  // the chart lays itself out for its size
    const QSize size(width, height);
    return WritePlotImage(
               file, PlotFormatOf(file).value_or(PlotFormat::Png), size, 1,
               [&plot, size](QPainter& painter) { plot.DrawImage(painter, size); },
               QStringLiteral("График"))
        .toStdString();
}
