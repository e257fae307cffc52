// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QFrame>
#include <QLineEdit>
#include <QPixmap>
#include <QString>
#include <QToolButton>

namespace quivra::qt {

// A picture drawn at its natural size from the top-left of a sunken frame, clipped to it.
// The picture is decoded on first paint, so start-up does not wait for seven JPEGs.
// Screen readers present it as an image, named by its title and described in words.
class PictureBox : public QFrame {
public:
    PictureBox(QString resource, QWidget* parent);

    const QPixmap& picture();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString resource_;
    QPixmap picture_;
    qreal decodedRatio_ = 0;
};

// A push button as the game's buttons behave: a click, Space or Enter while it has the
// focus presses it; a graphical one shows its picture centred above the caption.
class CommandButton : public QToolButton {
public:
    CommandButton(const QString& caption, QWidget* parent);

    // The picture's high-DPI drawing is decoded at once on a high-DPI screen; elsewhere only
    // when addSharpPicture() is called, for a move to such a screen.
    void setPicture(const QString& resource, QSize naturalSize);
    void addSharpPicture();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString picture_;
    bool sharp_ = false;
};

// A line edit inside a plain one-pixel black box, drawn by hand: a style sheet would draw the
// same, but would bring Qt's style-sheet machinery into the start-up.
class BoxedLineEdit : public QLineEdit {
public:
    explicit BoxedLineEdit(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace quivra::qt
