#include "frame/thread_relay.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <mutex>

namespace gravelock {
namespace {

const QEvent::Type kCallEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

class CallEvent final : public QEvent {
public:
    explicit CallEvent(std::function<void()> call) : QEvent(kCallEvent), call_(std::move(call)) {}
    void run() const { call_(); }

private:
    std::function<void()> call_;
};

// Lives in the receiver's thread as its child: its posted calls go with it.
class Mailbox final : public QObject {
public:
    explicit Mailbox(QObject* receiver) : QObject(receiver) {}
    bool event(QEvent* event) override {
        if (event->type() != kCallEvent)
            return QObject::event(event);
        static_cast<CallEvent*>(event)->run();
        return true;
    }
};

} // namespace

// Shared with every copy a thread holds. The lock keeps the mailbox alive
// while a call is posted to it: its destruction waits for the lock, and a call
// posted before that is dropped with the mailbox's other events.
struct ThreadRelay::State {
    std::mutex mutex;
    QObject* mailbox = nullptr;
};

ThreadRelay::ThreadRelay(QObject* receiver) : state_(std::make_shared<State>()) {
    state_->mailbox = new Mailbox(receiver);
    QObject::connect(state_->mailbox, &QObject::destroyed, [state = state_] {
        const std::lock_guard lock(state->mutex);
        state->mailbox = nullptr;
    });
}

void ThreadRelay::post(std::function<void()> call) const {
    const std::lock_guard lock(state_->mutex);
    if (state_->mailbox)
        QCoreApplication::postEvent(state_->mailbox, new CallEvent(std::move(call)));
}

} // namespace gravelock
