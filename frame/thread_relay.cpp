#include "frame/thread_relay.h"

#include <QMetaObject>
#include <QObject>
#include <mutex>

namespace gravelock {

// Shared with every copy a thread holds. The lock keeps the receiver alive
// while a call is posted to it: its destruction waits for the lock, and a call
// posted before that is dropped with the receiver's other events.
struct ThreadRelay::State {
    std::mutex mutex;
    QObject* receiver = nullptr;
};

ThreadRelay::ThreadRelay(QObject* receiver) : state_(std::make_shared<State>()) {
    state_->receiver = receiver;
    QObject::connect(receiver, &QObject::destroyed, [state = state_] {
        const std::lock_guard lock(state->mutex);
        state->receiver = nullptr;
    });
}

void ThreadRelay::post(std::function<void()> call) const {
    const std::lock_guard lock(state_->mutex);
    if (state_->receiver)
        QMetaObject::invokeMethod(state_->receiver, std::move(call), Qt::QueuedConnection);
}

} // namespace gravelock
