// The yardsticks for the game's start-up and memory: a bare Qt Widgets window of the game's
// size, started the way ui/main.cpp starts the game; with --text it also shows one line of
// text, so that it loads the fonts as any window with words in it does.

#include <QApplication>
#include <QLabel>
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
    }
    window.show();
    return QApplication::exec();
}
