#include "platform/stop_signals.h"

#include <atomic>
#include <csignal>

namespace velmar {

namespace {

std::atomic<int> received{0};
static_assert(std::atomic<int>::is_always_lock_free, "the handler may only touch a lock-free atomic");

void recordStopSignal(int signal) {
    received.store(signal, std::memory_order_relaxed);
}

} // namespace

void catchStopSignals() {
    struct sigaction action {};
    action.sa_handler = recordStopSignal;
    sigemptyset(&action.sa_mask);
    // Interrupted system calls resume; the handler gives way to the default
    // action once it has run, so the same signal sent again ends the process.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

int stopSignalReceived() {
    return received.load(std::memory_order_relaxed);
}

const char* stopSignalName(int signal) {
    return signal == SIGINT ? "SIGINT" : signal == SIGTERM ? "SIGTERM" : "?";
}

} // namespace velmar
