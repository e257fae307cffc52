// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

// The yardsticks for the game's start-up and memory: a bare Qt Widgets window of the game's
// size, started the way ui/main.cpp starts the game; with --text it also shows a line of
// text and a focused entry box holding another, so that it pays for Qt's fonts, text
// layout and blinking cursor as any window the player can type in does.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>
#include <cstring>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Quivra"));
    window.resize(600, 486);
    if (argc > 1 && std::strcmp(argv[1], "--text") == 0) {
        auto* line = new QLabel(QStringLiteral("Quivra, un relato interactivo del mar"), &window);
        line->move(8, 8);
        auto* entry = new QLineEdit(QStringLiteral("subir a la balsa"), &window);
        entry->setGeometry(8, 40, 377, 28);
        entry->setFocus();
    }
    window.show();
    return QApplication::exec();
}
