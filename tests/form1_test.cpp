#include "window/form1.h"

#include <string_view>

#include <QAccessible>
#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QFontInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "support/modalanswerer.h"

namespace {

const QString kChoicePrompt = QStringLiteral(
    "Вычислить S=-(2x)^2/2+(2x)^4/24+...+(-1)^n*(2x)^2n/(2n)! - Да\n"
    "или 2((cos(x))^2-1) --- Нет");
const QString kChoiceTitle = QStringLiteral("Выбор функции");
const QString kInputTitle = QStringLiteral("Ввод начальных значений");
const QString kStartPrompt = QStringLiteral("Введите начальное значение \u0425");
const QString kEndPrompt = QStringLiteral("Введите конечное значение \u0425");
const QString kStepPrompt = QStringLiteral("Введите шаг");
const QString kPrecisionPrompt = QStringLiteral("Введите точность вычисления функции");
const QString kHeading = QStringLiteral("Полученные координаты\n\n");

// A fresh window, shown and active, for each test.
class Form1Test : public testing::Test {
protected:
    void SetUp() override {
        form_.show();
        form_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form_));
    }

    QPushButton* Button(const char* name) {
        auto* button = form_.findChild<QPushButton*>(QString::fromLatin1(name));
        EXPECT_NE(button, nullptr) << name;
        return button;
    }

    // Clicks a button of the window, answering the dialogues it opens.
    void Click(const char* name, std::vector<ModalAnswerer::Handler> handlers) {
        ModalAnswerer answerer(std::move(handlers));
        QTest::mouseClick(Button(name), Qt::LeftButton);
    }

    // The coordinates message as Command5 shows it.
    QString ShownCoordinates() {
        QString title;
        QString text;
        Click("Command5", {ReadMessage(title, text)});
        EXPECT_EQ(title, QStringLiteral("Вывод функции"));
        return text;
    }

    void RunDefaultClosedForm() {
        Click("Command4", {AnswerYesNo(kChoicePrompt, kChoiceTitle, false),
                           ConfirmText(kStartPrompt, kInputTitle, "0.1"),
                           ConfirmText(kEndPrompt, kInputTitle, "1"),
                           ConfirmText(kStepPrompt, kInputTitle, ".1")});
    }

    Form1 form_;
};

const QString kClosedFormDefaultLines = QStringLiteral(
    "(0.1;-0.02)\n(0.2;-0.079)\n(0.3;-0.175)\n(0.4;-0.303)\n(0.5;-0.46)\n"
    "(0.6;-0.638)\n(0.7;-0.83)\n(0.8;-1.029)\n(0.9;-1.227)\n(1.0;-1.416)\n");

TEST_F(Form1Test, WindowIsAFramelessStripNamedOrnel) {
    EXPECT_EQ(form_.windowTitle(), QStringLiteral("Ornel"));
    EXPECT_TRUE(form_.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_FALSE(form_.windowFlags().testFlag(Qt::Tool));  // stays in the task list
    EXPECT_EQ(form_.size(), QSize(313, 89));
    EXPECT_EQ(form_.minimumSize(), form_.maximumSize());
    const QList<QSize> iconSizes = form_.windowIcon().availableSizes();
    EXPECT_TRUE(iconSizes.contains(QSize(16, 16)));
    EXPECT_TRUE(iconSizes.contains(QSize(32, 32)));
}

TEST_F(Form1Test, ControlsMatchTheirTable) {
    const struct {
        const char* name;
        QString caption;
        QString toolTip;
        QRect geometry;
    } rows[] = {
        {"Command5",
         "Вывод координат точек функции",
         "Вывод координат точек функции",
         {8, 64, 297, 17}},
        {"Command4", "Ввод данных", "Ввод данных", {8, 40, 297, 17}},
        {"Command1", "X", "Выход", {288, 8, 17, 17}},
        {"Command2", "_", "Свернуть", {264, 8, 17, 17}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QPushButton* button = Button(row.name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), row.caption);
        EXPECT_EQ(button->toolTip(), row.toolTip);
        EXPECT_EQ(button->geometry(), row.geometry);
        EXPECT_TRUE(button->shortcut().isEmpty());  // no access keys
    }
    const auto* label = form_.findChild<QLabel*>(QStringLiteral("Label1"));
    const auto* image = form_.findChild<QLabel*>(QStringLiteral("Image1"));
    ASSERT_NE(label, nullptr);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("     Табулирование функций"));
    EXPECT_EQ(label->geometry(), QRect(4, 4, 305, 25));
    EXPECT_TRUE(label->toolTip().isEmpty());
    EXPECT_EQ(image->geometry(), QRect(8, 8, 17, 17));
    const auto* panel = form_.findChild<QFrame*>(QStringLiteral("Command3"));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->geometry(), QRect(0, 32, 313, 57));
    EXPECT_EQ(panel->frameShadow(), QFrame::Raised);
    EXPECT_EQ(image->pixmap().size(), QSize(32, 32));
    EXPECT_TRUE(image->hasScaledContents());
}

TEST_F(Form1Test, FontsOfTheTitleBar) {
    const struct {
        const char* name;
        double points;
    } rows[] = {{"Label1", 12}, {"Command1", 8.25}, {"Command2", 8.25}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto* control = form_.findChild<QWidget*>(QString::fromLatin1(row.name));
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->font().family(), QStringLiteral("MS Sans Serif"));
        EXPECT_EQ(control->font().styleHint(), QFont::SansSerif);
        EXPECT_DOUBLE_EQ(control->font().pointSizeF(), row.points);
        EXPECT_TRUE(control->font().bold());
    }
    for (const char* name : {"Command4", "Command5"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(Button(name)->font(), QApplication::font(Button(name)));
    }
}

TEST_F(Form1Test, Label1TakesTheTitleBarColours) {
    const auto* label = form_.findChild<QLabel*>(QStringLiteral("Label1"));
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->autoFillBackground());
    EXPECT_EQ(label->backgroundRole(), QPalette::Highlight);
    EXPECT_EQ(label->foregroundRole(), QPalette::HighlightedText);
}

TEST_F(Form1Test, TitleKeepsClearOfTheMinimiseButton) {
    const auto* label = form_.findChild<QLabel*>(QStringLiteral("Label1"));
    ASSERT_NE(label, nullptr);
    // The font actually drawn, whichever family stood in for the one asked for.
    const QFontMetrics metrics(label->font());
    const int textEnd =
        label->x() + label->contentsRect().left() + metrics.horizontalAdvance(label->text());
    EXPECT_GE(Button("Command2")->x() - textEnd, 8)
        << "drawn in " << QFontInfo(label->font()).family().toStdString();
}

TEST_F(Form1Test, FocusRingShowsOnEveryButton) {
    for (const char* name : {"Command4", "Command5", "Command2", "Command1"}) {
        SCOPED_TRACE(name);
        QPushButton* button = Button(name);
        Button(std::string_view(name) == "Command4" ? "Command5" : "Command4")->setFocus();
        const QImage unfocused = button->grab().toImage();
        button->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(button->hasFocus());
        const QImage focused = button->grab().toImage();
        ASSERT_EQ(focused.size(), unfocused.size());
        // A ring around the caption: at least the perimeter's worth of pixels
        // change, to a colour far from both the button's face and what lies
        // around the button (the title bar's highlight for "_" and "X").
        const QColor face = button->palette().color(QPalette::Button);
        const QColor around =
            form_.grab().toImage().pixelColor(button->x() - 1, button->y() + button->height() / 2);
        const auto farFrom = [](const QColor& a, const QColor& b) {
            return std::abs(a.lightness() - b.lightness()) >= 96;
        };
        int contrasting = 0;
        for (int y = 0; y < focused.height(); ++y) {
            for (int x = 0; x < focused.width(); ++x) {
                const QColor now = focused.pixelColor(x, y);
                if (now != unfocused.pixelColor(x, y) && farFrom(now, face) &&
                    farFrom(now, around)) {
                    ++contrasting;
                }
            }
        }
        EXPECT_GE(contrasting, 2 * (button->width() + button->height()) - 24);
    }
}

TEST_F(Form1Test, EveryControlSpeaksRussian) {
    const struct {
        const char* name;
        const char* spokenName;
    } rows[] = {
        {"Label1", "Табулирование функций"},
        {"Image1", "Значок программы"},
        {"Command1", "Выход"},
        {"Command2", "Свернуть"},
        {"Command3", "Панель кнопок"},
        {"Command4", "Ввод данных"},
        {"Command5", "Вывод координат точек функции"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        auto* control = form_.findChild<QWidget*>(QString::fromLatin1(row.name));
        ASSERT_NE(control, nullptr);
        QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(control);
        ASSERT_NE(spoken, nullptr);
        EXPECT_EQ(spoken->text(QAccessible::Name), QString::fromUtf8(row.spokenName));
        const QString description = spoken->text(QAccessible::Description);
        EXPECT_FALSE(description.isEmpty());
        EXPECT_TRUE(description.contains(QRegularExpression(QStringLiteral("^[А-ЯЁ]"))))
            << description.toStdString();
    }
}

TEST_F(Form1Test, BackdropIsNotAButtonToPress) {
    QAccessibleInterface* panel = QAccessible::queryAccessibleInterface(
        form_.findChild<QWidget*>(QStringLiteral("Command3")));
    ASSERT_NE(panel, nullptr);
    EXPECT_NE(panel->role(), QAccessible::Button);
    // A panel, not the frame (the role of a top-level window) a QFrame would be.
    EXPECT_EQ(panel->role(), QAccessible::Pane);
    const QAccessibleActionInterface* actions = panel->actionInterface();
    EXPECT_TRUE(actions == nullptr ||
                !actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    QAccessibleInterface* button = QAccessible::queryAccessibleInterface(Button("Command4"));
    EXPECT_EQ(button->role(), QAccessible::Button);  // the check above can tell
}

TEST_F(Form1Test, StackingOrderFromBottomToTop) {
    QStringList order;
    for (const QObject* child : form_.children()) {
        if (child->isWidgetType()) {
            order.append(child->objectName());
        }
    }
    EXPECT_EQ(order, QStringList({"Label1", "Image1", "Command2", "Command1", "Command3",
                                  "Command4", "Command5"}));
    EXPECT_EQ(form_.childAt(20, 45), Button("Command4"));  // over Command3
    EXPECT_EQ(form_.childAt(20, 70), Button("Command5"));
    EXPECT_EQ(form_.childAt(2, 85)->objectName(), QStringLiteral("Command3"));
    EXPECT_EQ(form_.childAt(10, 10)->objectName(), QStringLiteral("Image1"));  // over Label1
}

TEST_F(Form1Test, FocusStartsAtCommand4AndFollowsTheTabOrder) {
    EXPECT_EQ(QApplication::focusWidget(), Button("Command4"));
    for (const char* name : {"Command5", "Command2", "Command1", "Command4"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), Button(name)) << name;
    }
    EXPECT_EQ(form_.findChild<QWidget*>(QStringLiteral("Command3"))->focusPolicy(), Qt::NoFocus);
}

TEST_F(Form1Test, CoordinatesBeforeAnyDataEntryShowTheHeadingAlone) {
    EXPECT_EQ(ShownCoordinates(), kHeading);
}

TEST_F(Form1Test, DefaultClosedFormRun) {
    RunDefaultClosedForm();
    EXPECT_EQ(ShownCoordinates(), kHeading + kClosedFormDefaultLines);
}

TEST_F(Form1Test, DefaultSeriesRunFromTheKeyboard) {
    {
        // Enter activates the focused Command4 and confirms each dialogue.
        ModalAnswerer answerer({
            AnswerYesNo(kChoicePrompt, kChoiceTitle, true),
            ConfirmText(kStartPrompt, kInputTitle, "0.1"),
            ConfirmText(kEndPrompt, kInputTitle, "1"),
            ConfirmText(kStepPrompt, kInputTitle, ".1"),
            ConfirmText(kPrecisionPrompt, kInputTitle, ".000019753086"),
        });
        QTest::keyClick(Button("Command4"), Qt::Key_Return);
    }
    QString text;
    {
        QString title;
        ModalAnswerer answerer({ReadMessage(title, text)});
        QTest::keyClick(Button("Command4"), Qt::Key_Tab);
        QTest::keyClick(Button("Command5"), Qt::Key_Space);
    }
    EXPECT_EQ(text, kHeading + QStringLiteral("(0.1;-0.019933422222)\n(0.2;-0.078939022222)\n"
                                              "(0.3;-0.174664383429)\n(0.4;-0.303293261206)\n"
                                              "(0.5;-0.459697696208)\n(0.6;-0.637642263991)\n"
                                              "(0.7;-0.830032974194)\n(0.8;-1.029199514123)\n"
                                              "(0.9;-1.227202052274)\n(1.0;-1.416146651702)\n"));
}

TEST_F(Form1Test, CancelledStartReadsAsZero) {
    Click("Command4",
          {AnswerYesNo(kChoicePrompt, kChoiceTitle, false),
           [](QDialog& box) { ClickButton(box, "cancelButton"); },
           ConfirmText(kEndPrompt, kInputTitle, "1"), ConfirmText(kStepPrompt, kInputTitle, ".1")});
    EXPECT_TRUE(ShownCoordinates().startsWith(kHeading + QStringLiteral("(0.0;0)\n(0.1;-0.02)\n")));
}

// Types over an input box's default text and presses Enter.
ModalAnswerer::Handler TypeAndConfirm(const char* typed) {
    return [typed](QDialog& box) {
        QTest::keyClicks(box.focusWidget(), QString::fromLatin1(typed));
        QTest::keyClick(box.focusWidget(), Qt::Key_Return);
    };
}

TEST_F(Form1Test, SeriesOverflowShowsAnErrorAndKeepsTheLinesMadeBefore) {
    QString title;
    QString text;
    const auto typeAndConfirm = TypeAndConfirm;
    Click("Command4",
          {AnswerYesNo(kChoicePrompt, kChoiceTitle, true), typeAndConfirm("1"),
           typeAndConfirm("300"), typeAndConfirm("99"),
           ConfirmText(kPrecisionPrompt, kInputTitle, ".000019753086"), ReadMessage(title, text)});
    EXPECT_EQ(title, QStringLiteral("Ошибка вычисления"));
    EXPECT_EQ(text, QStringLiteral("Вычисление прервано.\n"
                                   "Переполнение при возведении в степень: число вышло за "
                                   "пределы допустимого диапазона.\n"
                                   "Точки, полученные до ошибки, сохранены.\n"
                                   "Члены ряда при таком |Х| слишком велики. Нажмите «Ввод "
                                   "данных» и возьмите меньший |Х| (сократите отрезок) или "
                                   "большую точность, чтобы ряд останавливался раньше, или "
                                   "ответьте «Нет»: формула 2((cos(x))^2-1) не переполняется."));
    EXPECT_EQ(ShownCoordinates(), kHeading + QStringLiteral("(1.0;-1.416146651702)\n"));
}

TEST_F(Form1Test, RefusedRangeShowsWhyAndTheWindowGoesOn) {
    QString title;
    QString text;
    Click("Command4",
          {AnswerYesNo(kChoicePrompt, kChoiceTitle, false),
           ConfirmText(kStartPrompt, kInputTitle, "0.1"), ConfirmText(kEndPrompt, kInputTitle, "1"),
           [](QDialog& box) {
               QTest::keyClicks(box.focusWidget(), QStringLiteral("0"));
               ClickButton(box, "okButton");
           },
           ReadMessage(title, text)});
    EXPECT_EQ(title, QStringLiteral("Недопустимые данные"));
    EXPECT_TRUE(text.startsWith(QStringLiteral("Шаг равен нулю"))) << text.toStdString();
    RunDefaultClosedForm();
    EXPECT_EQ(ShownCoordinates(), kHeading + kClosedFormDefaultLines);
}

TEST_F(Form1Test, MinimiseKeepsTheCoordinates) {
    RunDefaultClosedForm();
    QTest::mouseClick(Button("Command2"), Qt::LeftButton);
    EXPECT_TRUE(form_.isMinimized());
    form_.showNormal();
    EXPECT_FALSE(form_.isMinimized());
    EXPECT_EQ(ShownCoordinates(), kHeading + kClosedFormDefaultLines);
}

TEST_F(Form1Test, ExitEndsTheProgramWhileTextIsHeld) {
    RunDefaultClosedForm();
    // The program's own event loop, ended by the click or, failing that, by the watchdog.
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    watchdog.start(10000);
    QTimer::singleShot(0, Button("Command1"), &QPushButton::click);  // no question asked
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(form_.isVisible());
}

// A sweep that takes long shows the busy cursor, a short one never does, and
// no dialogue of the run has it. The watch looks at the cursor each time the
// event loop turns, the one turn a busy sweep gives included.
TEST_F(Form1Test, LongSweepShowsTheBusyCursorAndNoDialogueDoes) {
    bool sawBusy = false;
    bool busyInADialogue = false;
    QTimer watch;
    watch.setInterval(0);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        const QCursor* cursor = QGuiApplication::overrideCursor();
        sawBusy = sawBusy || (cursor != nullptr && cursor->shape() == Qt::WaitCursor);
    });
    const auto notBusy = [&](ModalAnswerer::Handler answer) {
        return [&busyInADialogue, answer](QDialog& box) {
            busyInADialogue = busyInADialogue || QGuiApplication::overrideCursor() != nullptr;
            answer(box);
        };
    };
    watch.start();
    RunDefaultClosedForm();  // ten lines
    EXPECT_FALSE(sawBusy);
    // A million lines of the closed form take well over a tenth of a second.
    Click("Command4",
          {notBusy(AnswerYesNo(kChoicePrompt, kChoiceTitle, false)), notBusy(TypeAndConfirm("0")),
           notBusy(TypeAndConfirm("999999")), notBusy(TypeAndConfirm("1"))});
    watch.stop();
    EXPECT_TRUE(sawBusy);
    EXPECT_FALSE(busyInADialogue);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    const QString shown = ShownCoordinates();
    EXPECT_TRUE(shown.endsWith(QStringLiteral("\n(999999.0;-1.91)")))
        << shown.right(40).toStdString();
}

}  // namespace
