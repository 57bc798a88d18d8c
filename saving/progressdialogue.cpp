#include "saving/progressdialogue.h"

#include <QCoreApplication>
#include <QProgressDialog>

#include "dialogues/dialoguelayout.h"

namespace {

constexpr int kSteps = 1000;
constexpr int kShowAfterMilliseconds = 500;
// The desktop asks a window every few seconds whether it still answers.
constexpr int kEventsEveryMilliseconds = 100;

}  // namespace

ProgressDialogue::ProgressDialogue(QWidget* parent, const QString& label)
    : dialog_(
          std::make_unique<QProgressDialog>(label, QStringLiteral("Отмена"), 0, kSteps, parent)) {
    dialog_->setObjectName(QStringLiteral("progressDialog"));
    const QString title = QStringLiteral("Табулирование функций");
    dialog_->setWindowTitle(title);
    dialog_->setWindowFlags(DialogueFlags(true));
    ReserveTitleRoom(dialog_.get(), title);
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setMinimumDuration(kShowAfterMilliseconds);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->setAccessibleName(label);
    dialog_->setValue(0);  // starts the clock that shows it
    sinceEvents_.start();
}

ProgressDialogue::~ProgressDialogue() = default;

bool ProgressDialogue::Advance(std::size_t done, std::size_t total) {
    const auto step = static_cast<int>(total == 0 ? kSteps : done * kSteps / total);
    if (step != dialog_->value()) {
        dialog_->setValue(step);  // handles events itself, being modal
        sinceEvents_.restart();
    } else if (sinceEvents_.elapsed() >= kEventsEveryMilliseconds) {
        QCoreApplication::processEvents();
        sinceEvents_.restart();
    }
    if (dialog_->wasCanceled()) {
        dialog_->hide();
        if (!undoing_.Shown()) {
            undoing_.Show();
        }
        return false;
    }
    return true;
}

bool ProgressDialogue::Cancelled() const {
    return dialog_->wasCanceled();
}
