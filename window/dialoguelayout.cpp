#include "window/dialoguelayout.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace {

// Lines wider than this, in logical pixels, wrap at blanks.
constexpr int kMaxPromptWidth = 480;

}  // namespace

QLabel* MakePromptLabel(QWidget* parent, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QStringLiteral("prompt"));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    // A wrapping label alone picks a narrow width; keep short lines whole.
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        widest = std::max(widest, label->fontMetrics().horizontalAdvance(line));
    }
    label->setMinimumWidth(std::min(widest + 1, kMaxPromptWidth));
    return label;
}

QHBoxLayout* MakeButtonRow(std::initializer_list<QPushButton*> buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* button : buttons) {
        row->addWidget(button);
    }
    row->addStretch();
    return row;
}
