#pragma once

#include <QString>
#include <optional>

class QFileDialog;
class QWidget;

// Everything modal or final the window asks of the platform. The game talks to this
// seam only, so tests can answer its questions without running a modal loop.
class Dialogs {
public:
    enum class Buttons { Ok, YesNo };
    enum class Icon { None, Exclamation, Stop, Information };
    enum class Answer { Ok, Yes, No };

    virtual ~Dialogs() = default;

    // Yes is the default button of every Yes/No box.
    virtual Answer messageBox(const QString& text, const QString& title, Buttons buttons,
                              Icon icon) = 0;
    // A file dialog offers one filter: a description shown as it is and a pattern.
    struct FileFilter {
        QString description;
        QString pattern;
    };

    // The chosen full path, or nullopt when the player cancels.
    virtual std::optional<QString> openFileName(const QString& title, const FileFilter& filter) = 0;
    virtual std::optional<QString> saveFileName(const QString& title, const FileFilter& filter) = 0;
    virtual void beep() = 0;
    virtual void quit() = 0;
};

// Makes Qt speak the game's Spanish of Spain, whatever the desktop's language: the buttons
// of message boxes, the file dialogs with their dates and file types, the context menus of
// text boxes. Call it before any of them can open. False when Qt's Spanish is not installed.
bool speakSpanish();

// The real thing: QMessageBox, QFileDialog, the system beep and the end of the program.
class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent) : parent_(parent) {}

    Answer messageBox(const QString& text, const QString& title, Buttons buttons,
                      Icon icon) override;
    std::optional<QString> openFileName(const QString& title, const FileFilter& filter) override;
    std::optional<QString> saveFileName(const QString& title, const FileFilter& filter) override;
    void beep() override;
    void quit() override;

    // Sets up a dialog as both commands use it; apart so tests can look at it unshown.
    static void configure(QFileDialog& dialog, const QString& title, const FileFilter& filter,
                          bool save);

private:
    std::optional<QString> askFileName(const QString& title, const FileFilter& filter, bool save);

    QWidget* parent_;
    QString lastChosen_; // both dialogs offer the file chosen last in either
};
