// Documentation tool: draws the table-and-plot view of one run, or one
// abscissa's series term by term, at the size it opens at, and saves it as a
// PNG, for the README. Usage:
//   viewshot [--dark] OUTPUT.png series|closed START END STEP [PRECISION] [table|plot|taylorN]
//   viewshot [--dark] OUTPUT.png terms X [PRECISION]
//   viewshot [--dark] OUTPUT.png help [PAGE]
// --dark draws it as on a dark desktop. It answers the run's dialogues itself
// and draws offscreen, with no display, on the screen QT_QPA_PLATFORM names
// (offscreen's own by default); the PNG has the screen's pixels, so a screen
// of scale 2 gives a picture twice as large.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include <QApplication>
#include <QPalette>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>

#include "app/russiantranslations.h"
#include "evaluation/tabulation.h"
#include "numtext/arithmeticfault.h"
#include "numtext/readnumber.h"
#include "help/helpwindow.h"
#include "view/seriestermsdialog.h"
#include "view/tableplotdialog.h"

namespace {

// Answers the choice and the prompts from the command line, in order.
class FixedAnswers : public DialogueService {
public:
    FixedAnswers(bool series, std::vector<std::string> texts)
        : series_(series), texts_(std::move(texts)) {}

    Answer AskYesNo(const std::string& /*prompt*/, const std::string& /*title*/) override {
        return series_ ? Answer::Yes : Answer::No;
    }
    std::string AskText(const std::string& /*prompt*/, const std::string& /*title*/,
                        const std::string& defaultText) override {
        return next_ < texts_.size() ? texts_[next_++] : defaultText;
    }
    void ShowMessage(const std::string& prompt, const std::string& title) override {
        std::fprintf(stderr, "%s: %s\n", title.c_str(), prompt.c_str());
    }

private:
    bool series_;
    std::vector<std::string> texts_;
    size_t next_ = 0;
};

// Shows the table from a few rows before the first whose precision is not
// guaranteed, where the marking starts.
void ScrollToFirstUnguaranteedRow(QTableView& table) {
    const QAbstractItemModel& model = *table.model();
    const int lastColumn = model.columnCount() - 1;
    for (int row = 0; row < model.rowCount(); ++row) {
        if (model.index(row, lastColumn).data(Qt::BackgroundRole).isValid()) {
            table.scrollTo(model.index(std::max(row - 4, 0), 0), QAbstractItemView::PositionAtTop);
            return;
        }
    }
}

// A dark desktop's colours, as dark themes give them.
QPalette DarkDesktop() {
    const QColor window(49, 54, 59);
    const QColor base(35, 38, 41);
    const QColor text(239, 240, 241);
    QPalette dark(window);
    const std::pair<QPalette::ColorRole, QColor> colours[] = {
        {QPalette::Window, window},
        {QPalette::WindowText, text},
        {QPalette::Base, base},
        {QPalette::AlternateBase, window},
        {QPalette::Text, text},
        {QPalette::Button, window},
        {QPalette::ButtonText, text},
        {QPalette::Highlight, QColor(61, 174, 233)},
        {QPalette::HighlightedText, text},
        {QPalette::ToolTipBase, window},
        {QPalette::ToolTipText, text},
        {QPalette::PlaceholderText, QColor(140, 140, 140)},
    };
    for (const auto& [role, colour] : colours) {
        dark.setColor(role, colour);
    }
    return dark;
}

}  // namespace

// Saves what `window` shows as a PNG.
int Save(QWidget& window, const char* output) {
    QApplication::processEvents();
    if (!window.grab().save(QString::fromLocal8Bit(output), "PNG")) {
        std::fprintf(stderr, "viewshot: cannot write %s\n", output);
        return 1;
    }
    return 0;
}

// Draws "Разбор ряда" at x, its plot shown.
int ShootTerms(const char* output, double x, double precision) {
    SeriesTermsDialog terms(nullptr, x, precision);
    terms.findChild<QTabWidget*>()->setCurrentIndex(1);
    terms.show();
    return Save(terms, output);
}

// Draws the help at `page`.
int ShootHelp(const char* output, const char* page) {
    HelpWindow help(nullptr);
    help.Open(QString::fromLatin1(page));
    help.show();
    return Save(help, output);
}

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    InstallRussianTranslations(app);
    if (argc > 1 && std::strcmp(argv[1], "--dark") == 0) {
        QApplication::setPalette(DarkDesktop());
        --argc;
        ++argv;
    }
    if (argc >= 3 && std::strcmp(argv[2], "help") == 0) {
        return ShootHelp(argv[1], argc > 3 ? argv[3] : "help.html");
    }
    if (argc >= 4 && std::strcmp(argv[2], "terms") == 0) {
        return ShootTerms(argv[1], std::atof(argv[3]),
                          argc > 4 ? std::atof(argv[4]) : ReadNumber(DefaultPrecisionText()));
    }
    if (argc < 6) {
        std::fprintf(stderr,
                     "usage: viewshot [--dark] OUTPUT.png series|closed START END STEP "
                     "[PRECISION] [table|plot|taylorN]\n");
        return 2;
    }
    const bool series = std::strcmp(argv[2], "series") == 0;
    std::vector<std::string> texts(argv + 3, argv + (series && argc > 6 ? 7 : 6));
    const bool chosen = argc > (series ? 7 : 6);
    const bool showTable = chosen && std::strcmp(argv[argc - 1], "table") == 0;
    // "taylor20": the Taylor page at n = 20.
    const int taylor = chosen && std::strncmp(argv[argc - 1], "taylor", 6) == 0
                           ? std::atoi(argv[argc - 1] + 6)
                           : 0;
    Tabulation run;
    FixedAnswers answers(series, texts);
    try {
        EnterRun(run, answers);
    } catch (const ArithmeticFault& fault) {
        std::fprintf(stderr, "viewshot: %s; drawing the lines made before it\n", fault.what());
    }

    TablePlotDialog view(nullptr, run);
    view.findChild<QTabWidget*>()->setCurrentIndex(showTable ? 0 : taylor > 0 ? 2 : 1);
    if (taylor > 0) {
        view.findChild<QSpinBox*>(QStringLiteral("taylorDegree"))->setValue(taylor);
    }
    view.show();
    if (showTable) {
        ScrollToFirstUnguaranteedRow(*view.findChild<QTableView*>());
    }
    return Save(view, argv[1]);
}
