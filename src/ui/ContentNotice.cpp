#include "ContentNotice.h"

#include <utility>

namespace {
struct Receiver {
    const void* owner = nullptr;
    std::function<void()> notify;
};
Receiver& receiver() {
    static Receiver r;
    return r;
}
} // namespace

namespace ContentNotice {

void setReceiver(const void* owner, std::function<void()> r) {
    receiver() = Receiver{owner, std::move(r)};
}

void clearReceiver(const void* owner) {
    if (receiver().owner == owner)
        receiver() = Receiver{};
}

void send() {
    if (receiver().notify)
        receiver().notify();
}

} // namespace ContentNotice
