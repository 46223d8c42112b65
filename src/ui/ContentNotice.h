#pragma once

#include <functional>

// The content-changed notice: every accepted edit on a page tells the main
// window, which marks the document modified. Fields reach the window through
// this hook so that they need no pointer to it; without a receiver (no main
// window) the notice goes nowhere.
namespace ContentNotice {
void setReceiver(std::function<void()> receiver);
void clearReceiver();
void send();
} // namespace ContentNotice
