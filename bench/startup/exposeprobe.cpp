// Loaded into the program by the start-up harness (LD_PRELOAD), never linked
// into it: watches for the first window the platform exposes, lets the event
// loop finish painting that first frame, reports both moments on the file
// descriptor the harness named, and ends the program.
#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace {

long long monotonicNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

void report(long long exposed, long long painted) {
    const int fd = qEnvironmentVariableIntValue("WAVYWALL_PROBE_FD");
    char line[64];
    const int length = std::snprintf(line, sizeof line, "%lld %lld\n", exposed, painted);
    if (fd > 0 && length > 0 && write(fd, line, static_cast<std::size_t>(length)) < 0) {
        std::perror("probe");
    }
}

class ExposeWatcher final : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override {
        if (!m_exposed && event->type() == QEvent::Expose && watched->isWindowType()) {
            m_exposed = monotonicNanoseconds();
            // The expose is handled, and the window painted, before the loop
            // comes back to this zero-time timer.
            QTimer::singleShot(0, this, &ExposeWatcher::firstFramePainted);
        }
        return false;
    }

private:
    void firstFramePainted() {
        report(m_exposed, monotonicNanoseconds());
        QCoreApplication::exit(0);
    }

    long long m_exposed = 0;
};

void watchForFirstExpose() {
    QCoreApplication::instance()->installEventFilter(
        new ExposeWatcher(QCoreApplication::instance()));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(watchForFirstExpose)
