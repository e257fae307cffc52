// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QObject>
#include <functional>

class QEvent;
class QWidget;

namespace quivra::qt {

// Runs `work` once `window` has sent out its first frame, so that what the frame does not
// show does not hold it up.
class AfterFirstFrame : public QObject {
public:
    AfterFirstFrame(QWidget* window, std::function<void()> work);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> work_;
};

} // namespace quivra::qt
