// What a screen reader gets of the view, the terms dialogue and the window,
// read through QAccessible as an assistive technology reads it.
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <QAccessible>
#include <QApplication>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>
#include <QXYSeries>
#include <gtest/gtest.h>

#include "accessibility/accessiblerole.h"
#include "accessibility/accessibletable.h"
#include "accessibility/accessibletext.h"
#include "dialogues/messagebox.h"
#include "dialogues/messagetext.h"
#include "dialogues/textinputbox.h"
#include "messages/readinghint.h"
#include "support/shownview.h"
#include "view/runplot.h"
#include "view/seriestermsdialog.h"
#include "view/tableplotdialog.h"
#include "window/form1.h"

namespace {

using Replies = std::vector<std::optional<std::string>>;

// "role 10 QWidget 'name' in QTabWidget 'tabs' in …", for a failure's message.
QString Describe(QAccessibleInterface* object) {
    QString text = QStringLiteral("role %1").arg(object->role());
    for (QObject* owner = object->object(); owner != nullptr; owner = owner->parent()) {
        text +=
            QStringLiteral(" %1 '%2' in")
                .arg(QString::fromLatin1(owner->metaObject()->className()), owner->objectName());
    }
    return text;
}

// Every object under `root` a screen reader would stop at, depth first.
void Visit(QAccessibleInterface* root, const std::function<void(QAccessibleInterface*)>& visit) {
    if (root == nullptr || root->state().invisible) {
        return;
    }
    visit(root);
    for (int i = 0; i < root->childCount(); ++i) {
        Visit(root->child(i), visit);
    }
}

// The objects under `root` with no name, or with no role a reader can name.
QStringList Nameless(QWidget* root) {
    QStringList nameless;
    Visit(QAccessible::queryAccessibleInterface(root), [&](QAccessibleInterface* object) {
        const QAccessible::Role role = object->role();
        if (object->text(QAccessible::Name).trimmed().isEmpty() || role == QAccessible::NoRole ||
            role == QAccessible::Client) {
            nameless.append(Describe(object));
        }
    });
    return nameless;
}

QAccessibleInterface* Accessible(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

// Counts the times a widget is shown: each is an "object showing" event to
// a screen reader, which speaks a notification as it appears.
class ShowCounter : public QObject {
public:
    explicit ShowCounter(QWidget* watched) { watched->installEventFilter(this); }
    int shown = 0;

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        shown += event->type() == QEvent::Show ? 1 : 0;
        return false;
    }
};

// A view of a run, shown at its table.
class ViewAccessibility : public ShownViewTest {
protected:
    void Open(Answer choice, Replies replies) { OpenView(choice, std::move(replies), kTable); }
    void ShowPlot() { ShowTab(kPlot); }

    QString Summary() { return Accessible(plot_)->text(QAccessible::Description); }
};

TEST_F(ViewAccessibility, EveryObjectOfEitherTabHasANameAndARole) {
    for (const Answer choice : {Answer::Yes, Answer::No}) {
        SCOPED_TRACE(choice == Answer::Yes ? "series" : "closed form");
        Open(choice, {"0", "1", "0.1", std::nullopt});
        for (int tab = 0; tab < tabs_->count(); ++tab) {
            tabs_->setCurrentIndex(tab);
            QApplication::processEvents();
            const QStringList nameless = Nameless(&*view_);
            EXPECT_TRUE(nameless.isEmpty()) << "tab " << tab << ":\n"
                                            << nameless.join(QLatin1Char('\n')).toStdString();
        }
    }
}

TEST_F(ViewAccessibility, TableTabsAndPlotAreNamedAsTheEyeSeesThem) {
    Open(Answer::Yes, {"0", "16", "0.05", std::nullopt});
    EXPECT_EQ(Accessible(tabs_)->text(QAccessible::Name), QStringLiteral("Таблица и график"));
    EXPECT_EQ(Accessible(view_->findChild<QObject*>(QStringLiteral("table")))->role(),
              QAccessible::Table);
    EXPECT_EQ(Accessible(plot_)->role(), QAccessible::Chart);
    EXPECT_EQ(Accessible(plot_)->text(QAccessible::Name), QStringLiteral("График"));
}

TEST_F(ViewAccessibility, SummaryTellsWhatIsDrawnAndWhereItIsNotGuaranteed) {
    Open(Answer::Yes, {"0", "16", "0.05", std::nullopt});
    ShowPlot();
    const QString summary = Summary();
    EXPECT_TRUE(
        summary.startsWith(QStringLiteral("График. Нарисовано: Формула 2((cos x)^2 − 1), "
                                          "Ряд, |Ряд − точное|")))
        << summary.toStdString();
    EXPECT_TRUE(summary.contains(QStringLiteral("По оси x от ")));
    // The series from 0 to 16 by 0.05 leaves its precision to rounding past x ≈ 11.
    int notGuaranteed = 0;
    for (size_t i = 0; i < run_.record.LineCount(); ++i) {
        notGuaranteed +=
            IsGuaranteed(run_.record.X()[i], run_.record.Series()[i], run_.record.recipe.precision)
                ? 0
                : 1;
    }
    ASSERT_GT(notGuaranteed, 0);
    EXPECT_TRUE(
        summary.contains(QStringLiteral("Точность не гарантирована в %1 точк").arg(notGuaranteed)))
        << summary.toStdString();
    EXPECT_TRUE(summary.contains(QStringLiteral("из %1.").arg(run_.record.LineCount())));
}

TEST_F(ViewAccessibility, SummaryFollowsZoomAndReset) {
    Open(Answer::No, {"0", "16", "0.05"});
    ShowPlot();
    const QString whole = Summary();
    // The x axis fits the run from 0 to 15.95 with a small margin.
    const std::pair<double, double> opening = plot_->ShownRange(RunPlot::Axis::X);
    EXPECT_GE(opening.first, -1.0);
    EXPECT_LE(opening.first, 0.0);
    EXPECT_GE(opening.second, 15.95);
    EXPECT_LE(opening.second, 17.0);
    EXPECT_TRUE(whole.contains(QStringLiteral("По оси x от -0.")) &&
                whole.contains(QStringLiteral(" до 16.")))
        << whole.toStdString();
    EXPECT_FALSE(whole.contains(QStringLiteral("Точность")));  // the closed form has none
    plot_->setFocus();
    QTest::keyClick(plot_, Qt::Key_Plus);
    const QString zoomed = Summary();
    EXPECT_NE(zoomed, whole);
    const auto [low, high] = plot_->ShownRange(RunPlot::Axis::X);
    EXPECT_LT(high - low, 16.0);
    QTest::keyClick(plot_, Qt::Key_Home);
    EXPECT_EQ(plot_->ShownRange(RunPlot::Axis::X), opening);
    EXPECT_EQ(Summary(), whole);
    EXPECT_FALSE(Summary().contains(QStringLiteral("Выбрана точка")));
    // The point under the pointer, as the readout tells it.
    QString readout;
    QObject::connect(plot_, &RunPlot::PointerAt, [&](const QString& text) { readout = text; });
    QTest::mouseMove(plot_->viewport(), plot_->PositionOf(8.0, -1.0).toPoint());
    ASSERT_TRUE(readout.startsWith(QStringLiteral("x = 8.0;"))) << readout.toStdString();
    EXPECT_TRUE(
        Summary().endsWith(QStringLiteral("Выбрана точка: ") + readout +
                           QStringLiteral(". Стрелки выбирают точку, плюс и минус увеличивают и "
                                          "уменьшают, Home показывает весь график.")))
        << Summary().toStdString();
}

// The view opens on the table; Ctrl+Tab turns to the plot and back, each
// taking the keys at once; Tab leaves the table for the buttons.
TEST_F(ViewAccessibility, KeyboardReachesTheTableAndThePlot) {
    Open(Answer::Yes, {"0", "1", "0.1", std::nullopt});
    view_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&*view_));
    auto* table = view_->findChild<QTableView*>(QStringLiteral("table"));
    EXPECT_EQ(QApplication::focusWidget(), table);
    QTest::keyClick(table, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(tabs_->currentIndex(), 1);
    EXPECT_EQ(QApplication::focusWidget(), plot_);
    QTest::keyClick(plot_, Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(tabs_->currentIndex(), 0);
    EXPECT_EQ(QApplication::focusWidget(), table);
    QTest::keyClick(table, Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), table) << "Tab is not kept by the cells";
}

// The marker's line after each key, from the keyboard alone.
TEST_F(ViewAccessibility, ArrowsWalkTheLinesAndTellTheirCoordinates) {
    Open(Answer::No, {"0", "1", "0.1"});  // 11 lines: x = 0, 0.1, …, 1.0
    ShowPlot();
    plot_->setFocus();
    QString readout;
    QObject::connect(plot_, &RunPlot::Told, [&](const QString& text) { readout = text; });
    // Each key's news shows under the plot and is spoken to a reader.
    auto* pointer = view_->findChild<QLabel*>(QStringLiteral("pointer"));
    auto* spoken = view_->findChild<QLabel*>(QStringLiteral("plotNews"));
    ASSERT_NE(pointer, nullptr);
    ASSERT_NE(spoken, nullptr);
    EXPECT_EQ(Accessible(spoken)->role(), QAccessible::Notification);
    EXPECT_EQ(spoken->parent(), &*view_) << "a reader names no more than the dialogue before it";
    struct Step {
        Qt::Key key;
        const char* x;
    };
    const Step steps[] = {
        {Qt::Key_Right, "x = 0.5;"},  // the first key marks the middle line
        {Qt::Key_Right, "x = 0.6;"},    {Qt::Key_Left, "x = 0.5;"},
        {Qt::Key_PageDown, "x = 0.6;"},  // a twentieth of 10 lines is one
        {Qt::Key_PageUp, "x = 0.5;"},
    };
    for (const Step& step : steps) {
        const ShowCounter shown(spoken);
        QTest::keyClick(plot_, step.key);
        EXPECT_TRUE(readout.startsWith(QString::fromUtf8(step.x))) << readout.toStdString();
        EXPECT_EQ(shown.shown, 1);
        EXPECT_EQ(Accessible(spoken)->text(QAccessible::Name), readout);
        EXPECT_EQ(pointer->text(), readout);
        EXPECT_TRUE(Summary().contains(QStringLiteral("Выбрана точка: ") + readout))
            << Summary().toStdString();
    }
    for (int i = 0; i < 20; ++i) {
        QTest::keyClick(plot_, Qt::Key_Left);
    }
    EXPECT_TRUE(readout.startsWith(QStringLiteral("x = 0.0;"))) << readout.toStdString();
    for (int i = 0; i < 20; ++i) {
        QTest::keyClick(plot_, Qt::Key_Right);
    }
    EXPECT_TRUE(readout.startsWith(QStringLiteral("x = 1.0;"))) << readout.toStdString();
    // y as the coordinates line prints it.
    const std::string& text = run_.state.CoordinatesText;
    const size_t line = text.find("(1.0;") + 5;
    const std::string y = text.substr(line, text.find(')', line) - line);
    EXPECT_TRUE(readout.startsWith(QString::fromStdString("x = 1.0; y = " + y + ";")))
        << readout.toStdString();
}

TEST_F(ViewAccessibility, PlusAndMinusZoomAboutTheMarkerAndKeepItInView) {
    Open(Answer::No, {"0", "16", "0.05"});
    ShowPlot();
    plot_->setFocus();
    for (int i = 0; i < 40; ++i) {
        QTest::keyClick(plot_, Qt::Key_Right);
    }
    const auto marker = plot_->chart()->findChild<QXYSeries*>(QStringLiteral("marker"));
    ASSERT_NE(marker, nullptr);
    ASSERT_EQ(marker->count(), 1);
    // Drawn whole, on the marked line: its colour at the line's point and
    // a few pixels round it.
    const size_t at = 160 + 39;
    const QPointF point = plot_->PositionOf(run_.record.X()[at], run_.record.Y()[at]);
    const QImage drawn = plot_->viewport()->grab().toImage();
    for (const QPoint offset :
         {QPoint(0, 0), QPoint(2, 0), QPoint(-2, 0), QPoint(0, 2), QPoint(0, -2)}) {
        const QPoint pixel = point.toPoint() + offset;
        EXPECT_EQ(drawn.pixelColor(pixel), marker->color())
            << "at " << pixel.x() << "," << pixel.y();
    }
    for (int i = 0; i < 10; ++i) {
        QTest::keyClick(plot_, Qt::Key_Plus);
    }
    auto [low, high] = plot_->ShownRange(RunPlot::Axis::X);
    // The first key marks the middle line, x = 8; the other 39 walk right.
    const double marked = 0.05 * (160 + 39);
    EXPECT_LT(high - low, 2.0);
    EXPECT_LE(low, marked);
    EXPECT_GE(high, marked);
    // Walking past the edge of the zoomed view brings the view along.
    for (int i = 0; i < 100; ++i) {
        QTest::keyClick(plot_, Qt::Key_Right);
    }
    std::tie(low, high) = plot_->ShownRange(RunPlot::Axis::X);
    EXPECT_LE(low, marked + 5.0);
    EXPECT_GE(high, marked + 5.0);
    QString told;
    QObject::connect(plot_, &RunPlot::Told, [&](const QString& news) { told = news; });
    QTest::keyClick(plot_, Qt::Key_Minus);
    const auto [wider, widest] = plot_->ShownRange(RunPlot::Axis::X);
    EXPECT_GT(widest - wider, high - low);
    // A zoom tells the ranges it shows, as the summary does.
    EXPECT_TRUE(told.startsWith(QStringLiteral("По оси x от "))) << told.toStdString();
    EXPECT_TRUE(Summary().contains(told)) << Summary().toStdString();
}

TEST_F(ViewAccessibility, TableIsReadCellByCellUnderItsHeadings) {
    Open(Answer::Yes, {"0", "1", "0.1", std::nullopt});
    auto* table = view_->findChild<QTableView*>(QStringLiteral("table"));
    ASSERT_NE(table, nullptr);
    const QAbstractItemModel* model = table->model();
    QAccessibleTableInterface* grid = Accessible(table)->tableInterface();
    ASSERT_NE(grid, nullptr);
    ASSERT_EQ(grid->rowCount(), model->rowCount());
    ASSERT_EQ(grid->columnCount(), model->columnCount());
    int described = 0;
    for (int row = 0; row < model->rowCount(); ++row) {
        for (int column = 0; column < model->columnCount(); ++column) {
            SCOPED_TRACE(testing::Message() << "row " << row << " column " << column);
            const QModelIndex index = model->index(row, column);
            QAccessibleInterface* cell = grid->cellAt(row, column);
            ASSERT_NE(cell, nullptr);
            EXPECT_EQ(cell->role(), QAccessible::Cell);
            EXPECT_EQ(cell->text(QAccessible::Name), index.data().toString());
            // The value in full, where the cell shows it rounded; nothing said twice.
            const QString full = index.data(Qt::ToolTipRole).toString();
            EXPECT_EQ(cell->text(QAccessible::Description),
                      full == index.data().toString() ? QString() : full);
            described += cell->text(QAccessible::Description).isEmpty() ? 0 : 1;
            const QList<QAccessibleInterface*> headings =
                cell->tableCellInterface()->columnHeaderCells();
            ASSERT_EQ(headings.size(), 1);
            EXPECT_EQ(headings.front()->text(QAccessible::Name),
                      model->headerData(column, Qt::Horizontal).toString().simplified());
            EXPECT_EQ(Accessible(table)->indexOfChild(cell),
                      (row + 1) * (model->columnCount() + 1) + column + 1);
        }
    }
    EXPECT_GT(described, 0) << "the rounded numbers are told in full";
}

// The reader lands where the keyboard is: on the current cell.
TEST_F(ViewAccessibility, FocusIsOnTheCurrentCell) {
    Open(Answer::Yes, {"0", "1", "0.1", std::nullopt});
    auto* table = view_->findChild<QTableView*>(QStringLiteral("table"));
    table->setFocus();
    for (const auto& [row, column] : {std::pair{3, 2}, std::pair{7, 0}, std::pair{10, 4}}) {
        const QModelIndex index = table->model()->index(row, column);
        table->setCurrentIndex(index);
        QAccessibleInterface* focused = Accessible(table)->focusChild();
        ASSERT_NE(focused, nullptr);
        EXPECT_EQ(focused->text(QAccessible::Name), index.data().toString());
        EXPECT_TRUE(focused->state().focused);
    }
}

TEST(MessageAccessibility, CoordinatesAreReadLineByLineAndOnce) {
    const std::string text = "Полученные координаты\r\n\r\n(0.1;-0.02)\r\n(0.2;-0.08)\r\n";
    MessageBox box(nullptr, text, QStringLiteral("Вывод функции"));
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    EXPECT_TRUE(box.findChildren<QLabel*>().isEmpty()) << "a label is read whole, with the box";
    QAccessibleInterface* shown = Accessible(QApplication::focusWidget());
    ASSERT_NE(shown, nullptr);
    QAccessibleTextInterface* lines = shown->textInterface();
    ASSERT_NE(lines, nullptr);
    const QStringList expected = {QStringLiteral("Полученные координаты"), QString(),
                                  QStringLiteral("(0.1;-0.02)"), QStringLiteral("(0.2;-0.08)")};
    int offset = 0;
    for (const QString& line : expected) {
        int start = -1;
        int end = -1;
        EXPECT_EQ(lines->textAtOffset(offset, QAccessible::LineBoundary, &start, &end).trimmed(),
                  line);
        EXPECT_EQ(start, offset);
        offset += static_cast<int>(line.size()) + 1;  // and the line break
    }
    EXPECT_FALSE(shown->state().editable);
    EXPECT_TRUE(Nameless(&box).isEmpty()) << Nameless(&box).join(QLatin1Char('\n')).toStdString();
}

// A screen reader may ask for a widget before the program gives it its own
// reading; the program's still holds from then on.
TEST(AccessibleRoles, HoldThoughAReaderAskedBefore) {
    QFrame panel;
    QLabel readout(QStringLiteral("x = 1.0"));
    QTableView table;
    QTextEdit text;
    for (QWidget* widget : std::initializer_list<QWidget*>{&panel, &readout, &table, &text}) {
        ASSERT_NE(Accessible(widget), nullptr);  // the toolkit's own, made and kept
    }
    SetAccessibleRole(&panel, QAccessible::Pane);
    SetAccessibleRole(&readout, QAccessible::StatusBar);
    SetAccessibleTable(&table);
    SetAccessibleText(&text);
    EXPECT_EQ(Accessible(&panel)->role(), QAccessible::Pane);
    EXPECT_EQ(Accessible(&readout)->role(), QAccessible::StatusBar);
    readout.setText(QStringLiteral("x = 2.0"));
    EXPECT_EQ(Accessible(&readout)->text(QAccessible::Name), QStringLiteral("x = 2.0"));
    ASSERT_NE(Accessible(&table)->tableInterface(), nullptr);
    EXPECT_EQ(Accessible(&table)->childCount(), 0) << "no model: no cells, and no corner";
    EXPECT_TRUE(Accessible(&text)->state().readOnly);
    // Asked again, nothing changes hands.
    QAccessibleInterface* held = Accessible(&panel);
    SetAccessibleRole(&panel, QAccessible::Pane);
    EXPECT_EQ(Accessible(&panel), held);
}

TEST(TextPieces, HeaderExamples) {
    EXPECT_EQ(TextPieceAt(QStringLiteral("ab\ncd"), 1, QAccessible::LineBoundary),
              std::make_pair(0, 3));
    EXPECT_EQ(TextPieceAt(QStringLiteral("ab\ncd"), 5, QAccessible::LineBoundary),
              std::make_pair(3, 5));
    EXPECT_EQ(TextPieceAt(QStringLiteral("ab\ncd"), 4, QAccessible::CharBoundary),
              std::make_pair(4, 5));
}

TEST(TextPieces, EveryKindAtTheEdgesOfLinesAndText) {
    const QString text = QStringLiteral("Да. Нет.\n\nx = 1");
    const struct {
        int offset;
        QAccessible::TextBoundaryType boundary;
        std::pair<int, int> piece;
    } cases[] = {
        {0, QAccessible::LineBoundary, {0, 9}},   // the first line, with its break
        {8, QAccessible::LineBoundary, {0, 9}},   // the break itself ends the line
        {9, QAccessible::LineBoundary, {9, 10}},  // an empty line is its break
        {10, QAccessible::ParagraphBoundary, {10, 15}},
        {15, QAccessible::LineBoundary, {10, 15}},  // the caret at the very end
        {16, QAccessible::LineBoundary, {15, 15}},  // past the end: nothing
        {-1, QAccessible::CharBoundary, {15, 15}},
        {1, QAccessible::WordBoundary, {0, 2}},      // "Да"
        {5, QAccessible::SentenceBoundary, {4, 9}},  // "Нет.\n": a line break ends it
        {7, QAccessible::NoBoundary, {0, 15}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(testing::Message() << "offset " << test.offset << " kind " << test.boundary);
        EXPECT_EQ(TextPieceAt(text, test.offset, test.boundary), test.piece);
    }
}

// A long sentence of a message wraps on the screen but is heard whole.
TEST(MessageAccessibility, WrappedSentenceIsReadAsOneLine) {
    const QString first = QStringLiteral(
        "Точность 1e-15 не гарантирована в 20 точках из 65, при Х от 11 до 16, где ошибка "
        "округления ряда вместе с отброшенными членами может её превышать.");
    const QString second = QStringLiteral("Значения оставлены как вычислены.");
    const std::string text = (first + QStringLiteral("\r\n") + second).toStdString();
    MessageBox box(nullptr, text, QStringLiteral("Точность не гарантирована"));
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    const auto* shown = box.findChild<MessageText*>(QStringLiteral("prompt"));
    ASSERT_NE(shown, nullptr);
    ASSERT_GT(shown->document()->firstBlock().layout()->lineCount(), 1) << "wraps on the screen";
    QAccessibleTextInterface* lines = Accessible(QApplication::focusWidget())->textInterface();
    ASSERT_NE(lines, nullptr);
    int start = -1;
    int end = -1;
    EXPECT_EQ(lines->textAtOffset(0, QAccessible::LineBoundary, &start, &end),
              first + QLatin1Char('\n'));
    EXPECT_EQ(lines->textAfterOffset(0, QAccessible::LineBoundary, &start, &end), second);
    EXPECT_EQ(lines->textBeforeOffset(end, QAccessible::LineBoundary, &start, &end),
              first + QLatin1Char('\n'));
    EXPECT_EQ(lines->characterCount(), first.size() + 1 + second.size());
    lines->setCursorPosition(static_cast<int>(first.size()) + 3);
    EXPECT_EQ(lines->cursorPosition(), first.size() + 3);
    EXPECT_EQ(shown->textCursor().position(), first.size() + 3);
    // The keys go line by line as the reader reads: Up to the first line's start,
    // Down past its wrapped rest to the second, Shift+Down selects to the end.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    EXPECT_EQ(lines->cursorPosition(), 0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(lines->cursorPosition(), first.size() + 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down, Qt::ShiftModifier);
    lines->selection(0, &start, &end);
    EXPECT_EQ(std::make_pair(start, end),
              std::make_pair(static_cast<int>(first.size()) + 1, lines->characterCount()));
}

TEST(InputAccessibility, ReadingHintIsAnnouncedAsItChanges) {
    TextInputBox box(nullptr, QStringLiteral("Введите шаг"),
                     QStringLiteral("Ввод начальных значений"), QString());
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    auto* hint = box.findChild<QLabel*>(QStringLiteral("readingHint"));
    auto* input = box.findChild<QLineEdit*>(QStringLiteral("input"));
    ASSERT_NE(hint, nullptr);
    ASSERT_NE(input, nullptr);
    EXPECT_EQ(Accessible(hint)->role(), QAccessible::Notification);
    const QSize size = box.size();
    struct Key {
        char typed;
        const char* textSoFar;
        bool announced;  // the hint reads differently
    };
    const Key keys[] = {{'0', "0", true}, {',', "0,", true}, {'5', "0,5", false}};
    for (const Key& key : keys) {
        SCOPED_TRACE(key.textSoFar);
        const ShowCounter counter(hint);
        QTest::keyClick(input, key.typed);
        const QString expected = QString::fromStdString(ReadingHint(key.textSoFar));
        EXPECT_EQ(Accessible(hint)->text(QAccessible::Name), expected);
        EXPECT_EQ(counter.shown, key.announced ? 1 : 0);
        EXPECT_TRUE(hint->isVisible());
        EXPECT_EQ(Accessible(input)->text(QAccessible::Description), expected);
    }
    EXPECT_TRUE(QString::fromStdString(ReadingHint("0,5")).contains(QStringLiteral("«.»")));
    QApplication::processEvents();
    EXPECT_EQ(box.size(), size) << "announcing moves nothing";
}

TEST(TermsAccessibility, EveryObjectHasANameAndTheChartSaysWhatItShows) {
    SeriesTermsDialog terms(nullptr, 15.0, 0.001);
    terms.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&terms));
    const QStringList nameless = Nameless(&terms);
    EXPECT_TRUE(nameless.isEmpty()) << nameless.join(QLatin1Char('\n')).toStdString();
}

TEST(WindowAccessibility, EveryObjectHasANameAndTheBackdropIsAPanel) {
    Form1 form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const QStringList nameless = Nameless(&form);
    EXPECT_TRUE(nameless.isEmpty()) << nameless.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(Accessible(form.findChild<QWidget*>(QStringLiteral("Command3")))->role(),
              QAccessible::Pane);
}

}  // namespace
