// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#include "controls.hpp"

#include <QFile>
#include <QIcon>
#include <QKeyEvent>
#include <QPainter>
#include <utility>

namespace quivra::qt {

namespace {

// "pic.jpg" -> "pic@2x.jpg": the high-DPI drawing of the same picture.
QString doubleSized(const QString& resource) {
    const qsizetype dot = resource.lastIndexOf(u'.');
    return resource.left(dot) + QStringLiteral("@2x") + resource.mid(dot);
}

} // namespace

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

} // namespace quivra::qt
