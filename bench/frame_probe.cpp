// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

// Preloaded by startup_bench into the game and into the bare window alike (LD_PRELOAD), so
// neither program carries anything for the benchmark. Once the first window has been
// painted and sent out, it writes "frame" to the descriptor in QUIVRA_PROBE_FD; then it
// paints every picture box once, writes "hwm" and the peak resident size in kB (VmHWM),
// and ends the program.

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

void say(int fd, const std::string& line) {
    std::string_view rest = line;
    while (!rest.empty()) {
        const ssize_t written = ::write(fd, rest.data(), rest.size());
        if (written <= 0) {
            return;
        }
        rest.remove_prefix(static_cast<std::size_t>(written));
    }
}

long peakKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string key;
    long value = 0;
    while (status >> key) {
        if (key == "VmHWM:") {
            status >> value;
            return value;
        }
        status.ignore(1 << 12, '\n');
    }
    return -1;
}

class FrameProbe : public QObject {
public:
    FrameProbe(int fd, QObject* parent) : QObject(parent), fd_(fd) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (window_ == nullptr && event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            window_ = static_cast<QWidget*>(watched);
            // The window paints before its children, and the frame goes out at the end of
            // the same pass: a queued call runs once that pass is over.
            QMetaObject::invokeMethod(
                this, [this] { framed(); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    void framed() {
        say(fd_, "frame\n");
        for (QWidget* child : window_->findChildren<QWidget*>()) {
            if (child->objectName().startsWith(QLatin1StringView("pic_"))) {
                const bool shown = child->isVisible();
                child->show();
                child->repaint();
                child->setVisible(shown);
            }
        }
        say(fd_, "hwm " + std::to_string(peakKilobytes()) + "\n");
        QCoreApplication::exit(0);
    }

    int fd_;
    QWidget* window_ = nullptr;
};

// Called by the program's QApplication constructor.
void installProbe() {
    const char* fd = std::getenv("QUIVRA_PROBE_FD");
    if (fd == nullptr) {
        return;
    }
    QCoreApplication* app = QCoreApplication::instance();
    app->installEventFilter(new FrameProbe(std::atoi(fd), app));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbe)
