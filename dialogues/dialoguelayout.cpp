#include "dialogues/dialoguelayout.h"

#include <algorithm>

#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

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
    label->setMinimumWidth(PromptWidth(label->fontMetrics(), text));
    return label;
}

int PromptWidth(const QFontMetrics& metrics, const QString& text) {
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        widest = std::max(widest, metrics.horizontalAdvance(line));
    }
    return std::min(widest + 1, kMaxPromptWidth);
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

QStringList LinesAtBlanks(const QString& text, double width, const QFontMetricsF& metrics) {
    QStringList lines;
    for (const QString& word : text.split(QLatin1Char(' '))) {
        const QString joined = lines.isEmpty() ? word : lines.back() + QLatin1Char(' ') + word;
        if (!lines.isEmpty() && metrics.horizontalAdvance(joined) <= width) {
            lines.back() = joined;
        } else {
            lines.append(word);
        }
    }
    return lines;
}

void ReserveTitleRoom(QWidget* content, const QString& title) {
    QFont titleFont = content->font();
    titleFont.setBold(true);
    const int titleWidth = QFontMetrics(titleFont).horizontalAdvance(title);
    const auto room = static_cast<int>(titleWidth * kTitleFontAllowance) + kTitleBarButtonsRoom;
    content->setMinimumWidth(std::max(content->minimumWidth(), room));
}

namespace {

// What a window manager's frame adds around a window, once it is known; a
// guess before the window is shown.
QSize FrameExtra(const QWidget* window) {
    constexpr QSize kGuess(16, 40);
    const QSize extra = window->frameGeometry().size() - window->geometry().size();
    return window->isVisible() && !extra.isEmpty() ? extra : kGuess;
}

}  // namespace

void SizeToScreenShare(QWidget* dialogue, double share) {
    const QWidget* owner =
        dialogue->parentWidget() != nullptr ? dialogue->parentWidget() : dialogue;
    const QRect available = owner->screen()->availableGeometry();
    const QSize room = available.size() - FrameExtra(dialogue);
    dialogue->setMaximumSize(room);
    dialogue->resize((room * share).expandedTo(dialogue->minimumSizeHint()).boundedTo(room));
}

void KeepOnScreen(QWidget* window) {
    const QRect available = window->screen()->availableGeometry();
    const QSize extra = FrameExtra(window);
    window->setMaximumSize(available.size() - extra);
    if (window->width() > window->maximumWidth() || window->height() > window->maximumHeight()) {
        window->resize(window->size().boundedTo(window->maximumSize()));
    }
    QRect frame = window->frameGeometry();
    frame.moveLeft(std::clamp(frame.left(), available.left(),
                              std::max(available.left(), available.right() - frame.width() + 1)));
    frame.moveTop(std::clamp(frame.top(), available.top(),
                             std::max(available.top(), available.bottom() - frame.height() + 1)));
    window->move(frame.topLeft());
}
