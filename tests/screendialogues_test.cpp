#include "dialogues/screendialogues.h"

#include <functional>
#include <new>
#include <stdexcept>
#include <string>

#include <QAbstractItemModel>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextDocument>
#include <gtest/gtest.h>

#include "dialogues/guardedaction.h"
#include "dialogues/messagetext.h"
#include "messages/readinghint.h"
#include "support/modalanswerer.h"

namespace {

// A window to own the dialogues, and the dialogues themselves.
class ScreenDialoguesTest : public testing::Test {
protected:
    void SetUp() override {
        owner_.resize(300, 90);
        owner_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner_));
    }

    QRect Available() const { return owner_.screen()->availableGeometry(); }

    QWidget owner_;
    ScreenDialogues dialogues_{&owner_};
};

TEST_F(ScreenDialoguesTest, YesNoBoxHasNoOtherWayOut) {
    for (const bool yes : {true, false}) {
        ModalAnswerer answerer({[yes](QDialog& box) {
            EXPECT_EQ(box.windowTitle(), QStringLiteral("Заголовок"));
            EXPECT_EQ(ShownText(box), QStringLiteral("Первая строка\nвторая строка"));
            EXPECT_FALSE(box.windowFlags().testFlag(Qt::WindowCloseButtonHint));
            QTest::keyClick(&box, Qt::Key_Escape);
            box.close();
            EXPECT_TRUE(box.isVisible());
            const auto* yesButton = box.findChild<QPushButton*>(QStringLiteral("yesButton"));
            const auto* noButton = box.findChild<QPushButton*>(QStringLiteral("noButton"));
            ASSERT_NE(yesButton, nullptr);
            ASSERT_NE(noButton, nullptr);
            EXPECT_EQ(yesButton->text(), QStringLiteral("Да"));
            EXPECT_EQ(noButton->text(), QStringLiteral("Нет"));
            EXPECT_TRUE(yesButton->isDefault());
            if (yes) {
                QTest::keyClick(&box, Qt::Key_Return);  // the default button
            } else {
                ClickButton(box, "noButton");
            }
        }});
        const Answer answer = dialogues_.AskYesNo("Первая строка\r\nвторая строка", "Заголовок");
        EXPECT_EQ(answer, yes ? Answer::Yes : Answer::No);
    }
}

TEST_F(ScreenDialoguesTest, InputBoxConfirmsWithEnterAndTypingReplacesTheDefault) {
    ModalAnswerer answerer({[](QDialog& box) {
        EXPECT_EQ(box.findChild<QPushButton*>(QStringLiteral("okButton"))->text(),
                  QStringLiteral("ОК"));
        EXPECT_EQ(box.findChild<QPushButton*>(QStringLiteral("cancelButton"))->text(),
                  QStringLiteral("Отмена"));
        QTest::keyClicks(box.focusWidget(), QStringLiteral("-2,5 "));
        qobject_cast<QLineEdit*>(box.focusWidget())->insert(QStringLiteral("м"));
        QTest::keyClick(box.focusWidget(), Qt::Key_Enter);
    }});
    EXPECT_EQ(dialogues_.AskText("Введите шаг", "Ввод", ".1"), "-2,5 м");
}

TEST_F(ScreenDialoguesTest, InputBoxGivesEmptyTextWhenCancelledOrClosed) {
    const std::function<void(QDialog&)> ways[] = {
        [](QDialog& box) { ClickButton(box, "cancelButton"); },
        [](QDialog& box) { QTest::keyClick(box.focusWidget(), Qt::Key_Escape); },
        [](QDialog& box) { box.close(); },
    };
    for (const auto& way : ways) {
        ModalAnswerer answerer({way});
        EXPECT_EQ(dialogues_.AskText("Введите шаг", "Ввод", ".1"), "");
    }
}

TEST_F(ScreenDialoguesTest, InputBoxOpensCentredAThirdOfTheWayDown) {
    const QRect available = Available();
    ModalAnswerer answerer({[available](QDialog& box) {
        const QRect frame = box.frameGeometry();
        EXPECT_LE(std::abs(frame.center().x() - available.center().x()), 2);
        EXPECT_LE(
            std::abs(frame.top() - available.top() - (available.height() - frame.height()) / 3), 2);
        ClickButton(box, "okButton");
    }});
    dialogues_.AskText("Введите начальное значение \u0425", "Ввод начальных значений", "0.1");
}

TEST_F(ScreenDialoguesTest, MessageIsPlainSelectableTextWithOneOkButton) {
    ModalAnswerer answerer({[](QDialog& box) {
        const auto* prompt = box.findChild<MessageText*>(QStringLiteral("prompt"));
        ASSERT_NE(prompt, nullptr);
        EXPECT_EQ(prompt->Text(), QStringLiteral("<b>жирный</b> & &amp;\nвторая\n\n"));
        EXPECT_EQ(prompt->document()->blockCount(), 4);  // the markup shows as it is
        EXPECT_TRUE(prompt->isReadOnly());
        EXPECT_TRUE(prompt->textInteractionFlags().testFlag(Qt::TextSelectableByMouse));
        EXPECT_TRUE(prompt->textInteractionFlags().testFlag(Qt::TextSelectableByKeyboard));
        const auto buttons = box.findChildren<QPushButton*>();
        ASSERT_EQ(buttons.size(), 1);
        EXPECT_EQ(buttons.front()->text(), QStringLiteral("ОК"));
        for (const QLabel* label : box.findChildren<QLabel*>()) {
            EXPECT_TRUE(label->pixmap().isNull());  // no icon
        }
        QTest::keyClick(&box, Qt::Key_Return);
    }});
    dialogues_.ShowMessage("<b>жирный</b> & &amp;\r\nвторая\r\n\r\n", "Сообщение");
}

TEST_F(ScreenDialoguesTest, TextLongerThanTheScreenScrollsInABoxThatFits) {
    constexpr int kLines = 100'000;
    std::string text = "Полученные координаты\r\n\r\n";
    for (int i = 1; i <= kLines; ++i) {
        text.append("(").append(std::to_string(i)).append(".0;-1.234)\r\n");
    }
    const QRect available = Available();
    ModalAnswerer answerer({[available](QDialog& box) {
        EXPECT_TRUE(available.contains(box.frameGeometry()));
        auto* lines = box.findChild<QListView*>(QStringLiteral("lines"));
        ASSERT_NE(lines, nullptr);
        const QAbstractItemModel* model = lines->model();
        ASSERT_EQ(model->rowCount(), kLines + 2);
        EXPECT_EQ(model->index(0, 0).data().toString(), QStringLiteral("Полученные координаты"));
        EXPECT_EQ(model->index(1, 0).data().toString(), QString());
        EXPECT_EQ(model->index(kLines + 1, 0).data().toString(),
                  QStringLiteral("(100000.0;-1.234)"));
        EXPECT_GT(lines->verticalScrollBar()->maximum(), 0);

        lines->selectionModel()->select(QItemSelection(model->index(2, 0), model->index(4, 0)),
                                        QItemSelectionModel::Select);
        lines->setFocus();
        QTest::keyClick(lines, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(QGuiApplication::clipboard()->text(),
                  QStringLiteral("(1.0;-1.234)\n(2.0;-1.234)\n(3.0;-1.234)"));
        ClickButton(box, "okButton");
    }});
    dialogues_.ShowMessage(text, "Вывод функции");
}

TEST_F(ScreenDialoguesTest, LongLineWithoutBlanksScrollsSideways) {
    const std::string line(3000, '7');
    ModalAnswerer answerer({[](QDialog& box) {
        auto* lines = box.findChild<QListView*>(QStringLiteral("lines"));
        ASSERT_NE(lines, nullptr);
        EXPECT_GT(lines->horizontalScrollBar()->maximum(), 0);
        ClickButton(box, "okButton");
    }});
    dialogues_.ShowMessage(line, "Вывод функции");
}

TEST_F(ScreenDialoguesTest, LongWordInAMessageWrapsAndIsNeverCutOff) {
    // A long path or number amid words: the text wraps it, and the box stays
    // within the screen.
    const std::string text = "Не удалось сохранить файл «/" + std::string(600, 'a') +
                             ".csv»: папка не найдена.\r\nПрежний файл не изменён.";
    ModalAnswerer answerer({[](QDialog& box) {
        auto* shown = box.findChild<QTextEdit*>(QStringLiteral("prompt"));
        ASSERT_NE(shown, nullptr);
        EXPECT_LE(shown->document()->idealWidth(), shown->viewport()->width());
        EXPECT_EQ(shown->horizontalScrollBar()->maximum(), 0);
        EXPECT_LE(box.frameGeometry().width(), box.screen()->availableGeometry().width());
        ClickButton(box, "okButton");
    }});
    dialogues_.ShowMessage(text, "Файл не сохранён");
}

// Whether a window manager is offered a minimise or maximise button.
bool OffersMinimiseOrMaximise(const QWidget& box) {
    const Qt::WindowFlags flags = box.windowFlags();
    return !flags.testFlag(Qt::CustomizeWindowHint) ||
           flags.testFlag(Qt::WindowMinimizeButtonHint) ||
           flags.testFlag(Qt::WindowMaximizeButtonHint);
}

TEST_F(ScreenDialoguesTest, NoBoxOffersMinimiseOrMaximise) {
    const auto check = [](QDialog& box) {
        EXPECT_FALSE(OffersMinimiseOrMaximise(box)) << box.windowTitle().toStdString();
    };
    {
        ModalAnswerer answerer({[&](QDialog& box) {
            check(box);
            ClickButton(box, "yesButton");
        }});
        dialogues_.AskYesNo("Вопрос", "Выбор функции");
    }
    ModalAnswerer answerer({[&](QDialog& box) {
                                check(box);
                                ClickButton(box, "okButton");
                            },
                            [&](QDialog& box) {
                                check(box);
                                ClickButton(box, "okButton");
                            }});
    dialogues_.AskText("Введите шаг", "Ввод начальных значений", ".1");
    dialogues_.ShowMessage("Текст", "Вывод функции");
}

TEST_F(ScreenDialoguesTest, MessageIsWideEnoughForItsTitle) {
    const QString title = QStringLiteral("Вывод функции");
    ModalAnswerer answerer({[&](QDialog& box) {
        QFont titleFont = box.font();
        titleFont.setBold(true);
        EXPECT_GE(box.width(), QFontMetrics(titleFont).horizontalAdvance(title) + 120);
        ClickButton(box, "okButton");
    }});
    dialogues_.ShowMessage("Полученные координаты\r\n\r\n", title.toStdString());
}

// Opens a message of `text` and copies it with the keyboard alone: Ctrl+A,
// Ctrl+C, then Enter to close. Returns what the clipboard got.
QString CopiedFromTheKeyboard(ScreenDialogues& dialogues, const std::string& text) {
    QGuiApplication::clipboard()->clear();
    bool closedByEnter = false;
    ModalAnswerer answerer({[&](QDialog& box) {
        QWidget* focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr);
        EXPECT_TRUE(focused->objectName() == QStringLiteral("prompt") ||
                    focused->objectName() == QStringLiteral("lines"))
            << focused->objectName().toStdString();
        QTest::keyClick(focused, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(focused, Qt::Key_C, Qt::ControlModifier);
        QTest::keyClick(focused, Qt::Key_Return);
        closedByEnter = !box.isVisible() && box.result() == QDialog::Accepted;
        if (box.isVisible()) {
            box.reject();
        }
    }});
    dialogues.ShowMessage(text, "Вывод функции");
    EXPECT_TRUE(closedByEnter);
    return QGuiApplication::clipboard()->text();
}

TEST_F(ScreenDialoguesTest, MessageTextIsCopiedFromTheKeyboard) {
    EXPECT_EQ(CopiedFromTheKeyboard(dialogues_, "Полученные координаты\r\n\r\n(0.1;-0.02)\r\n"),
              QStringLiteral("Полученные координаты\n\n(0.1;-0.02)\n"));
    std::string tall;
    for (int i = 1; i <= 5000; ++i) {
        tall.append("(").append(std::to_string(i)).append(".0;-1.234)\r\n");
    }
    const QString copied = CopiedFromTheKeyboard(dialogues_, tall);
    EXPECT_TRUE(copied.startsWith(QStringLiteral("(1.0;-1.234)\n(2.0;-1.234)\n")));
    EXPECT_TRUE(copied.endsWith(QStringLiteral("\n(5000.0;-1.234)")));
}

TEST_F(ScreenDialoguesTest, InputFieldIsLabelledByItsPrompt) {
    ModalAnswerer answerer({[](QDialog& box) {
        const auto* prompt = box.findChild<QLabel*>(QStringLiteral("prompt"));
        auto* input = box.findChild<QLineEdit*>(QStringLiteral("input"));
        ASSERT_NE(prompt, nullptr);
        ASSERT_NE(input, nullptr);
        EXPECT_EQ(prompt->buddy(), input);
        QAccessibleInterface* field = QAccessible::queryAccessibleInterface(input);
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(field->text(QAccessible::Name), QStringLiteral("Введите шаг"));
        ClickButton(box, "okButton");
    }});
    dialogues_.AskText("Введите шаг", "Ввод начальных значений", ".1");
}

TEST_F(ScreenDialoguesTest, InputBoxTellsHowTheTextWillBeReadAsItIsTyped) {
    ModalAnswerer answerer({[](QDialog& box) {
        const auto* hint = box.findChild<QLabel*>(QStringLiteral("readingHint"));
        ASSERT_NE(hint, nullptr);
        EXPECT_EQ(hint->text(), QStringLiteral("Будет прочитано: 0.1"));  // the default text
        QTest::keyClicks(box.focusWidget(), QStringLiteral("0,5"));
        EXPECT_EQ(hint->text(), QString::fromStdString(ReadingHint("0,5")));
        EXPECT_EQ(box.focusWidget()->accessibleDescription(), hint->text());
        QTest::keyClick(box.focusWidget(), Qt::Key_Backspace);
        QTest::keyClick(box.focusWidget(), Qt::Key_Backspace);
        QTest::keyClicks(box.focusWidget(), QStringLiteral(".5 "));
        qobject_cast<QLineEdit*>(box.focusWidget())->insert(QStringLiteral("м"));
        EXPECT_EQ(hint->text(),
                  QStringLiteral("Будет прочитано: 0.5. Остальное («м») не учитывается."));
        ClickButton(box, "okButton");
    }});
    // The hint changes nothing of what the run receives.
    EXPECT_EQ(dialogues_.AskText("Введите шаг", "Ввод начальных значений", ".1"), "0.5 м");
}

}  // namespace

namespace {

TEST(GuardedAction, FailureIsToldAndGoesNoFurther) {
    const struct {
        std::function<void()> action;
        const char* message;
    } rows[] = {
        {[] { throw std::bad_alloc(); },
         "Не хватило памяти, чтобы выполнить это действие.\nЗакройте другие программы или "
         "выберите меньше строк и повторите."},
        {[] { throw std::runtime_error("disk error"); },
         "Действие не выполнено: disk error.\nПрограмма продолжает работу; повторите действие."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.message);
        QString title;
        QString text;
        ModalAnswerer answerer({ReadMessage(title, text)});
        QWidget owner;
        EXPECT_FALSE(RunGuarded(&owner, row.action));
        EXPECT_EQ(title, QStringLiteral("Действие не выполнено"));
        EXPECT_EQ(text, QString::fromUtf8(row.message));
    }
}

TEST(GuardedAction, ActionThatFinishesShowsNothing) {
    bool ran = false;
    ModalAnswerer answerer({});
    EXPECT_TRUE(RunGuarded(nullptr, [&] { ran = true; }));
    EXPECT_TRUE(ran);
}

}  // namespace
