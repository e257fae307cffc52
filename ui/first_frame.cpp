// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#include "first_frame.hpp"

#include <QEvent>
#include <QWidget>
#include <utility>

namespace quivra::qt {

AfterFirstFrame::AfterFirstFrame(QWidget* window, std::function<void()> work)
    : QObject(window), work_(std::move(work)) {
    window->installEventFilter(this);
}

bool AfterFirstFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint) {
        watched->removeEventFilter(this);
        // The window paints before its controls, and the frame goes out at the end of the
        // same pass: a queued call runs once the pass is over.
        QMetaObject::invokeMethod(
            this,
            [this] {
                work_();
                deleteLater();
            },
            Qt::QueuedConnection);
    }
    return false;
}

} // namespace quivra::qt
