// Hands calls from threads that nobody waits for (the watcher of a started game,
// a search stuck on a hung network folder) to an object's own thread, and drops
// them once that object is gone.
#pragma once

#include <functional>
#include <memory>

class QObject;

namespace gravelock {

class ThreadRelay {
public:
    explicit ThreadRelay(QObject* receiver);

    // Runs `call` in the receiver's event loop, unless the receiver is destroyed
    // first. Safe from any thread at any time, also after the receiver is gone.
    void post(std::function<void()> call) const;

private:
    struct State;
    std::shared_ptr<State> state_;
};

} // namespace gravelock
