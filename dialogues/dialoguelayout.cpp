#include "dialogues/dialoguelayout.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace {

// Lines wider than this, in logical pixels, wrap at blanks.
constexpr int kMaxPromptWidth = 480;

// Room a title bar takes beside its title: the window icon, the close button
// and the margins, with a share left for a larger title font.
constexpr int kTitleBarButtonsRoom = 120;
constexpr double kTitleFontAllowance = 1.3;

}  // namespace

Qt::WindowFlags DialogueFlags(bool closable) {
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (closable) {
        flags |= Qt::WindowCloseButtonHint;
    }
    return flags;
}

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

void ReserveTitleRoom(QWidget* content, const QString& title) {
    QFont titleFont = content->font();
    titleFont.setBold(true);
    const int titleWidth = QFontMetrics(titleFont).horizontalAdvance(title);
    const auto room = static_cast<int>(titleWidth * kTitleFontAllowance) + kTitleBarButtonsRoom;
    content->setMinimumWidth(std::max(content->minimumWidth(), room));
}
