#include "dialogues/guardedaction.h"

#include <exception>
#include <new>
#include <string>

#include <QString>

#include "dialogues/messagebox.h"
#include "messages/actionmessages.h"

namespace {

void Tell(QWidget* parent, const std::string& text) {
    MessageBox box(parent, text, QString::fromUtf8(kActionFailedTitle));
    box.exec();
}

}  // namespace

bool RunGuarded(QWidget* parent, const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const std::bad_alloc&) {
        Tell(parent, kActionOutOfMemory);
    } catch (const std::exception& failure) {
        Tell(parent, ActionFailure(failure.what()));
    }
    return false;
}
