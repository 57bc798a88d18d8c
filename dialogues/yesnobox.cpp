#include "dialogues/yesnobox.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogues/dialoguelayout.h"

YesNoBox::YesNoBox(QWidget* parent, const QString& prompt, const QString& title)
    : QDialog(parent, DialogueFlags(false)) {
    auto* promptLabel = MakePromptLabel(this, prompt);
    auto* yesButton = new QPushButton(QStringLiteral("Да"), this);
    auto* noButton = new QPushButton(QStringLiteral("Нет"), this);
    yesButton->setObjectName(QStringLiteral("yesButton"));
    noButton->setObjectName(QStringLiteral("noButton"));
    yesButton->setDefault(true);

    connect(yesButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(noButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(promptLabel);
    layout->addLayout(MakeButtonRow({yesButton, noButton}));
    setWindowTitle(title);
    setWindowModality(Qt::WindowModal);
    yesButton->setFocus();
}

void YesNoBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();  // not a way out of this box
        return;
    }
    QDialog::keyPressEvent(event);
}

void YesNoBox::closeEvent(QCloseEvent* event) {
    // Only the buttons end the box; they close it without a close event.
    event->ignore();
}
