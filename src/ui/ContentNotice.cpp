#include "ContentNotice.h"

#include <utility>

namespace {
std::function<void()>& receiver() {
    static std::function<void()> r;
    return r;
}
} // namespace

namespace ContentNotice {

void setReceiver(std::function<void()> r) {
    receiver() = std::move(r);
}

void clearReceiver() {
    receiver() = nullptr;
}

void send() {
    if (receiver())
        receiver()();
}

} // namespace ContentNotice
