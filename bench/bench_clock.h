// What the window benchmarks share: a first-paint watch and peak memory.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

#include <chrono>
#include <cstdlib>
#include <sys/resource.h>

namespace gravelock::bench {

// Wall-clock milliseconds; the launching script hands over its own reading so
// the child can count from before the program was loaded.
inline double nowMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(system_clock::now().time_since_epoch()).count();
}

// The launch time given by the script in GRAVELOCK_BENCH_T0 (ns since the
// epoch), else now.
inline double launchMs() {
    const char* t0 = std::getenv("GRAVELOCK_BENCH_T0");
    return t0 ? std::strtod(t0, nullptr) / 1e6 : nowMs();
}

inline long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Notes the first paint of any widget in the application.
class FirstPaint : public QObject {
public:
    FirstPaint() { QCoreApplication::instance()->installEventFilter(this); }
    bool seen() const { return seen_; }
    // Runs events until something was painted; the paint pass that includes it
    // has finished when this returns.
    void wait() {
        while (!seen_)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::processEvents();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            seen_ = true;
        return QObject::eventFilter(watched, event);
    }

private:
    bool seen_ = false;
};

} // namespace gravelock::bench
