// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#include "accessibility.hpp"

#include "controls.hpp"

#include <QAccessible>
#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QWidget>

namespace quivra::qt {
namespace {

// Orca speaks a notification as it is shown, wherever the focus is; Qt 6.4 drops Alert events.
class AccessibleAnnouncer : public QAccessibleObject {
public:
    explicit AccessibleAnnouncer(Announcer* announcer) : QAccessibleObject(announcer) {}

    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(object()->parent());
    }
    QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface* /*child*/) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? static_cast<Announcer*>(object())->message() : QString();
    }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.invisible = true;
        return state;
    }
};

// The window's announcer, if it has one. Announcer has no meta-object of its own, so
// findChild<Announcer*> would take any child object for it; dynamic_cast tells them apart.
Announcer* announcerOf(const QWidget* window) {
    for (QObject* child : window->children()) {
        if (auto* announcer = dynamic_cast<Announcer*>(child)) {
            return announcer;
        }
    }
    return nullptr;
}

// A window with an announcer is named by its caption and lists the announcer as its last
// child.
class AccessibleGameWindow : public QAccessibleWidget {
public:
    explicit AccessibleGameWindow(QWidget* window)
        : QAccessibleWidget(window, QAccessible::Window) {}

    int childCount() const override { return QAccessibleWidget::childCount() + 1; }
    QAccessibleInterface* child(int index) const override {
        return index == QAccessibleWidget::childCount() ? announcer()
                                                        : QAccessibleWidget::child(index);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child == announcer() ? QAccessibleWidget::childCount()
                                    : QAccessibleWidget::indexOfChild(child);
    }

private:
    QAccessibleInterface* announcer() const {
        return QAccessible::queryAccessibleInterface(announcerOf(widget()));
    }
};

QAccessibleInterface* accessibleInterface(const QString& /*className*/, QObject* object) {
    if (auto* box = dynamic_cast<PictureBox*>(object)) {
        return new QAccessibleWidget(box, QAccessible::Graphic);
    }
    if (auto* announcer = dynamic_cast<Announcer*>(object)) {
        return new AccessibleAnnouncer(announcer);
    }
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget != nullptr && widget->isWindow() && announcerOf(widget) != nullptr) {
        return new AccessibleGameWindow(widget);
    }
    return nullptr;
}

} // namespace

void Announcer::say(const QString& message) {
    message_ = message;
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

void installAccessibility() {
    QAccessible::installFactory(accessibleInterface);
}

} // namespace quivra::qt
