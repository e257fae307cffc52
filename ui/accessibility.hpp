// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QObject>
#include <QString>

namespace quivra::qt {

// Has the screen reader say a message, wherever the focus is. It stands for nothing on screen.
class Announcer : public QObject {
public:
    explicit Announcer(QObject* parent) : QObject(parent) {}

    void say(const QString& message);
    const QString& message() const { return message_; }

private:
    QString message_;
};

// What screen readers are told of the game's own kinds of control: a picture box is an image
// named by its title and described in words, and a window with an announcer lists it as its
// last child.
void installAccessibility();

} // namespace quivra::qt
