#include "dialogues/busycursor.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>

BusyCursor::~BusyCursor() {
    if (shown_) {
        QGuiApplication::restoreOverrideCursor();
    }
}

void BusyCursor::Show() {
    if (shown_) {
        return;
    }
    shown_ = true;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    // Sends the new cursor to the window system; clicks and keys wait.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
