#pragma once

#include <functional>

class QWidget;

// Runs `action`, a command of the user's, so that no exception leaves it
// into the toolkit's event loop, which cannot pass one on: memory running
// out, or any other failure, is told in a message box over `parent`, and
// the program goes on. Returns whether the action finished.
bool RunGuarded(QWidget* parent, const std::function<void()>& action);
