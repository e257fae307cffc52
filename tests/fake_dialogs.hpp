#pragma once

#include "dialogs.hpp"

#include <deque>
#include <optional>
#include <vector>

// Answers the window's questions from a script and remembers what it was asked.
class FakeDialogs : public Dialogs {
public:
    struct Box {
        QString text;
        QString title;
        Buttons buttons;
        Icon icon;
    };
    struct FileQuestion {
        QString title;
        FileFilter filter;
        bool save;
    };

    std::deque<Answer> answers;               // for Yes/No boxes, in order
    std::deque<std::optional<QString>> files; // nullopt is a cancel
    std::vector<Box> boxes;
    std::vector<FileQuestion> fileQuestions;
    int beeps = 0;
    bool quitRequested = false;

    Answer messageBox(const QString& text, const QString& title, Buttons buttons,
                      Icon icon) override {
        boxes.push_back({text, title, buttons, icon});
        if (buttons == Buttons::Ok) {
            return Answer::Ok;
        }
        return next(answers, Answer::No);
    }
    std::optional<QString> openFileName(const QString& title, const FileFilter& filter) override {
        fileQuestions.push_back({title, filter, false});
        return next(files, std::optional<QString>{});
    }
    std::optional<QString> saveFileName(const QString& title, const FileFilter& filter) override {
        fileQuestions.push_back({title, filter, true});
        return next(files, std::optional<QString>{});
    }
    void beep() override { ++beeps; }
    void quit() override { quitRequested = true; }

private:
    template <typename T>
    static T next(std::deque<T>& script, T otherwise) {
        if (script.empty()) {
            return otherwise;
        }
        T value = script.front();
        script.pop_front();
        return value;
    }
};
