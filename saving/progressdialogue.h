#pragma once

#include <cstddef>
#include <memory>

#include <QElapsedTimer>

#include "dialogues/busycursor.h"
#include "table/workprogress.h"

class QProgressDialog;
class QString;
class QWidget;

// Long work's progress on screen: a dialogue modal to `parent` with the
// label, a bar and «Отмена», which shows itself only once the work has run
// for half a second. Each step handles the window's events, so the desktop
// sees the program answer meanwhile; the rest of the window takes no input.
// Once cancelled it goes at once, and the busy cursor shows while the work
// undoes itself. Its object name is "progressDialog".
class ProgressDialogue : public WorkProgress {
public:
    ProgressDialogue(QWidget* parent, const QString& label);
    ~ProgressDialogue() override;
    ProgressDialogue(const ProgressDialogue&) = delete;
    ProgressDialogue& operator=(const ProgressDialogue&) = delete;

    bool Advance(std::size_t done, std::size_t total) override;
    // Whether the user pressed «Отмена» (or closed the dialogue).
    bool Cancelled() const;

private:
    std::unique_ptr<QProgressDialog> dialog_;
    QElapsedTimer sinceEvents_;
    BusyCursor undoing_;
};
