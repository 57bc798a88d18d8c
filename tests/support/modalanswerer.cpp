#include "support/modalanswerer.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStringList>
#include <gtest/gtest.h>

#include "dialogues/messagetext.h"

namespace {

constexpr int kPollIntervalMs = 5;

}  // namespace

ModalAnswerer::ModalAnswerer(std::vector<Handler> handlers, int timeLimitMs)
    : handlers_(std::move(handlers)), timeLimitMs_(timeLimitMs) {
    connect(&timer_, &QTimer::timeout, this, &ModalAnswerer::Poll);
    timer_.start(kPollIntervalMs);
    clock_.start();
}

ModalAnswerer::~ModalAnswerer() {
    EXPECT_EQ(Unanswered(), 0u) << "dialogues expected but never opened";
}

void ModalAnswerer::Poll() {
    auto* dialogue = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (clock_.elapsed() > timeLimitMs_) {
        if (dialogue != nullptr) {
            ADD_FAILURE() << "dialogue still open at the time limit: "
                          << dialogue->windowTitle().toStdString();
            dialogue->done(QDialog::Rejected);
        }
        return;
    }
    // Keys reach a dialogue only once it is the active window.
    if (dialogue == nullptr || dialogue == answered_ || !dialogue->isActiveWindow()) {
        return;
    }
    answered_ = dialogue;
    if (next_ >= handlers_.size()) {
        ADD_FAILURE() << "unexpected dialogue: " << dialogue->windowTitle().toStdString() << ": "
                      << ShownText(*dialogue).left(200).toStdString();
        dialogue->done(QDialog::Rejected);
        return;
    }
    handlers_[next_++](*dialogue);
}

QString ShownText(const QDialog& dialogue) {
    if (const auto* prompt = dialogue.findChild<QLabel*>(QStringLiteral("prompt"))) {
        return prompt->text();
    }
    if (const auto* text = dialogue.findChild<MessageText*>(QStringLiteral("prompt"))) {
        return text->Text();
    }
    const auto* lines = dialogue.findChild<QListView*>(QStringLiteral("lines"));
    if (lines == nullptr) {
        return {};
    }
    QStringList rows;
    const QAbstractItemModel* model = lines->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        rows.append(model->index(row, 0).data().toString());
    }
    return rows.join(QLatin1Char('\n'));
}

void ClickButton(QDialog& dialogue, const char* objectName) {
    auto* button = dialogue.findChild<QPushButton*>(QString::fromLatin1(objectName));
    if (button == nullptr) {
        ADD_FAILURE() << "no button " << objectName << " in "
                      << dialogue.windowTitle().toStdString();
        dialogue.done(QDialog::Rejected);
        return;
    }
    button->click();
}

ModalAnswerer::Handler AnswerYesNo(const QString& prompt, const QString& title, bool yes) {
    return [=](QDialog& box) {
        EXPECT_EQ(box.windowTitle(), title);
        EXPECT_EQ(ShownText(box), prompt);
        ClickButton(box, yes ? "yesButton" : "noButton");
    };
}

ModalAnswerer::Handler ConfirmText(const QString& prompt, const QString& title,
                                   const QString& defaultText) {
    return [=](QDialog& box) {
        EXPECT_EQ(box.windowTitle(), title);
        EXPECT_EQ(ShownText(box), prompt);
        const auto* input = box.findChild<QLineEdit*>(QStringLiteral("input"));
        EXPECT_NE(input, nullptr);
        if (input != nullptr) {
            EXPECT_EQ(input->text(), defaultText);
            EXPECT_EQ(input->selectedText(), defaultText);  // typing replaces it
        }
        ClickButton(box, "okButton");
    };
}

ModalAnswerer::Handler ReadMessage(QString& title, QString& text) {
    return [&title, &text](QDialog& box) {
        title = box.windowTitle();
        text = ShownText(box);
        ClickButton(box, "okButton");
    };
}

void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
