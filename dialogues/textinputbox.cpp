#include "dialogues/textinputbox.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "accessibility/announcer.h"
#include "dialogues/dialoguelayout.h"
#include "messages/readinghint.h"

namespace {

// Room for a long number without scrolling, in logical pixels.
constexpr int kMinInputWidth = 320;
constexpr int kHintLines = 3;

}  // namespace

TextInputBox::TextInputBox(QWidget* parent, const QString& prompt, const QString& title,
                           const QString& defaultText)
    : QDialog(parent, DialogueFlags(true)),
      input_(new QLineEdit(defaultText, this)),
      readingHint_(new QLabel(this)) {
    auto* promptLabel = MakePromptLabel(this, prompt);
    auto* okButton = new QPushButton(QStringLiteral("ОК"), this);
    auto* cancelButton = new QPushButton(QStringLiteral("Отмена"), this);
    input_->setObjectName(QStringLiteral("input"));
    readingHint_->setObjectName(QStringLiteral("readingHint"));
    readingHint_->setTextFormat(Qt::PlainText);
    readingHint_->setWordWrap(true);
    MakeAnnouncer(readingHint_);
    // Room for the longest hint, so the box keeps its size while the user types.
    readingHint_->setMinimumHeight(kHintLines * readingHint_->fontMetrics().lineSpacing());
    okButton->setObjectName(QStringLiteral("okButton"));
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    okButton->setDefault(true);
    promptLabel->setBuddy(input_);

    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(input_, &QLineEdit::textChanged, this, &TextInputBox::ShowReading);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    buttons->addStretch();
    auto* layout = new QGridLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(promptLabel, 0, 0, Qt::AlignTop);
    layout->addLayout(buttons, 0, 1);
    layout->addWidget(input_, 1, 0, 1, 2);
    layout->addWidget(readingHint_, 2, 0, 1, 2);
    input_->setMinimumWidth(kMinInputWidth);
    ShowReading(defaultText);
    setWindowTitle(title);
    setWindowModality(Qt::WindowModal);

    input_->selectAll();
    input_->setFocus();
    PlaceOnScreen();
}

QString TextInputBox::Text() const {
    return input_->text();
}

void TextInputBox::ShowReading(const QString& typed) {
    const QString hint = QString::fromStdString(ReadingHint(typed.toStdString()));
    if (hint != readingHint_->text()) {
        Announce(readingHint_, hint);
    }
    input_->setAccessibleDescription(hint);  // read with the field as it takes the focus
}

void TextInputBox::PlaceOnScreen() {
    adjustSize();
    const QScreen* screen = parentWidget() != nullptr ? parentWidget()->screen() : this->screen();
    const QRect available = screen->availableGeometry();
    const QRect frame = frameGeometry();
    move(available.left() + (available.width() - frame.width()) / 2,
         available.top() + (available.height() - frame.height()) / 3);
}
