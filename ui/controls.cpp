#include "controls.hpp"

#include <QAccessible>
#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QFile>
#include <QIcon>
#include <QKeyEvent>
#include <QPainter>
#include <utility>

namespace {

// "pic.jpg" -> "pic@2x.jpg": the high-DPI drawing of the same picture.
QString doubleSized(const QString& resource) {
    const qsizetype dot = resource.lastIndexOf(u'.');
    return resource.left(dot) + QStringLiteral("@2x") + resource.mid(dot);
}

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

} // namespace

void Announcer::say(const QString& message) {
    message_ = message;
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

QAccessibleInterface* accessibleControl(QObject* object) {
    if (auto* box = dynamic_cast<PictureBox*>(object)) {
        return new QAccessibleWidget(box, QAccessible::Graphic);
    }
    if (auto* announcer = dynamic_cast<Announcer*>(object)) {
        return new AccessibleAnnouncer(announcer);
    }
    return nullptr;
}

PictureBox::PictureBox(QString resource, QWidget* parent)
    : QFrame(parent), resource_(std::move(resource)) {
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
}

const QPixmap& PictureBox::picture() {
    const qreal ratio = devicePixelRatioF();
    if (decodedRatio_ != ratio) {
        const QString sharp = doubleSized(resource_);
        if (ratio > 1 && QFile::exists(sharp) && picture_.load(sharp)) {
            picture_.setDevicePixelRatio(2);
        } else {
            picture_.load(resource_);
        }
        decodedRatio_ = ratio;
    }
    return picture_;
}

void PictureBox::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect inner = contentsRect();
    painter.setClipRect(inner);
    painter.drawPixmap(inner.topLeft(), picture());
}

CommandButton::CommandButton(const QString& caption, QWidget* parent) : QToolButton(parent) {
    setText(caption);
    setFocusPolicy(Qt::StrongFocus);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
}

void CommandButton::setPicture(const QString& resource, QSize naturalSize) {
    picture_ = resource;
    setIcon(QIcon(resource));
    setIconSize(naturalSize);
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    if (devicePixelRatioF() > 1) {
        addSharpPicture();
    }
}

void CommandButton::addSharpPicture() {
    if (picture_.isEmpty() || sharp_) {
        return;
    }
    sharp_ = true;
    const QString sharp = doubleSized(picture_);
    if (QFile::exists(sharp)) {
        QIcon both = icon();
        both.addFile(sharp, iconSize() * 2);
        setIcon(both);
    }
}

void CommandButton::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        click();
        return;
    }
    QToolButton::keyPressEvent(event);
}

BoxedLineEdit::BoxedLineEdit(QWidget* parent) : QLineEdit(parent) {
    setFrame(false);
    setTextMargins(1, 1, 1, 1);
}

void BoxedLineEdit::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
