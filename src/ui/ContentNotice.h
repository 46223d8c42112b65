#pragma once

#include <functional>

// The content-changed notice: every accepted edit on a page tells the main
// window, which marks the document modified. Fields reach the window through
// this hook so that they need no pointer to it; without a receiver (no main
// window) the notice goes nowhere.
namespace ContentNotice {
// owner identifies the receiver, so that only it takes itself away again.
void setReceiver(const void* owner, std::function<void()> receiver);
void clearReceiver(const void* owner);
void send();
} // namespace ContentNotice
