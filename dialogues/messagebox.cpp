#include "dialogues/messagebox.h"

#include <algorithm>

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

#include "dialogues/dialoguelayout.h"
#include "dialogues/guardedaction.h"
#include "dialogues/messagetext.h"
#include "dialogues/textlinesmodel.h"

namespace {

// Shares of the screen a message may take before it scrolls.
constexpr double kFittingHeightShare = 0.7;
constexpr double kFittingWidthShare = 0.8;

// Whether `text` shows whole in a label within `room`: its lines fit the
// height, and a line too wide for the room can wrap at a blank.
bool FitsInLabel(std::string_view text, const QFontMetrics& metrics, QSize room) {
    const auto lines = static_cast<double>(std::count(text.begin(), text.end(), '\n') + 1);
    if (lines * metrics.lineSpacing() > room.height() * kFittingHeightShare) {
        return false;
    }
    for (size_t start = 0; start <= text.size();) {
        const size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = text.substr(start, end - start);
        const bool tooWide = metrics.horizontalAdvance(QString::fromUtf8(
                                 line.data(), static_cast<qsizetype>(line.size()))) >
                             room.width() * kFittingWidthShare;
        if (tooWide && line.find(' ') == std::string_view::npos) {
            return false;
        }
        start = end + 1;
    }
    return true;
}

QString PlainText(std::string_view text) {
    QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    return shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// The selected rows' texts, in row order, one per line.
QString SelectedLines(const QListView& list, const TextLinesModel& model) {
    QItemSelection selection = list.selectionModel()->selection();
    std::sort(selection.begin(), selection.end(),
              [](const QItemSelectionRange& a, const QItemSelectionRange& b) {
                  return a.top() < b.top();
              });
    QStringList lines;
    for (const QItemSelectionRange& range : selection) {
        for (int row = range.top(); row <= range.bottom(); ++row) {
            lines.append(model.Line(row));
        }
    }
    return lines.join(QLatin1Char('\n'));
}

// An action of the list's context menu, also on its keyboard shortcut.
QAction* AddListAction(QListView* list, const QString& text, QKeySequence::StandardKey key) {
    auto* action = new QAction(text, list);
    action->setShortcut(key);
    action->setShortcutContext(Qt::WidgetShortcut);
    list->addAction(action);
    return action;
}

}  // namespace

MessageBox::MessageBox(QWidget* parent, std::string_view text, const QString& title)
    : QDialog(parent, DialogueFlags(true)) {
    const QRect available = (parent != nullptr ? parent->screen() : screen())->availableGeometry();
    const bool fits = FitsInLabel(text, fontMetrics(), available.size());
    QWidget* content = fits ? MakeText(text) : MakeLineList(text, available);
    okButton_ = new QPushButton(QStringLiteral("ОК"), this);
    okButton_->setObjectName(QStringLiteral("okButton"));
    okButton_->setDefault(true);

    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    buttonRow_ = MakeButtonRow({okButton_});
    layout->addWidget(content);
    layout->addLayout(buttonRow_);
    if (fits) {
        layout->setSizeConstraint(QLayout::SetFixedSize);
    }
    ReserveTitleRoom(content, title);
    setMaximumSize(available.size());
    setWindowTitle(title);
    setWindowModality(Qt::WindowModal);
    content->setFocus();  // Ctrl+A and Ctrl+C work at once; Enter presses "ОК"
}

QWidget* MessageBox::MakeText(std::string_view text) {
    return new MessageText(PlainText(text), this);
}

QWidget* MessageBox::MakeLineList(std::string_view text, const QRect& available) {
    auto* list = new QListView(this);
    auto* model = new TextLinesModel(text, list);
    list->setObjectName(QStringLiteral("lines"));
    list->setAccessibleName(QStringLiteral("Строки сообщения"));
    list->setUniformItemSizes(true);  // keeps millions of rows quick
    list->setModel(model);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setContextMenuPolicy(Qt::ActionsContextMenu);

    QAction* copy = AddListAction(list, QStringLiteral("Копировать"), QKeySequence::Copy);
    QAction* selectAll =
        AddListAction(list, QStringLiteral("Выделить всё"), QKeySequence::SelectAll);
    connect(copy, &QAction::triggered, list, [this, list, model] {
        RunGuarded(this, [list, model] {
            QGuiApplication::clipboard()->setText(SelectedLines(*list, *model));
        });
    });
    connect(selectAll, &QAction::triggered, list, &QListView::selectAll);

    const int frame = 2 * list->frameWidth() + list->verticalScrollBar()->sizeHint().width();
    const int widest = list->fontMetrics().horizontalAdvance(model->Line(model->LongestRow()));
    const auto widthLimit = static_cast<int>(available.width() * kFittingWidthShare);
    list->setMinimumSize(std::min(widest + frame + 2 * list->spacing() + 8, widthLimit),
                         static_cast<int>(available.height() * kFittingHeightShare));
    return list;
}

QPushButton* MessageBox::AddButton(const QString& text, const char* objectName) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(QString::fromLatin1(objectName));
    // Enter presses it while it has the keys, and "ОК" while the text has them.
    button->setAutoDefault(true);
    buttonRow_->insertWidget(buttonRow_->count() - 2, button);  // before "ОК" and the stretch
    setTabOrder(button, okButton_);  // Tab goes left to right, as the buttons stand
    return button;
}
