// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#pragma once

#include "commands.hpp"

#include <deque>
#include <optional>
#include <string>
#include <vector>

// Answers the commands' questions from a script and remembers what it was asked.
class ScriptedDialogs : public quivra::Dialogs {
public:
    struct Box {
        std::string text;
        std::string title;
        quivra::Buttons buttons;
        quivra::Icon icon;
        bool operator==(const Box&) const = default;
    };
    struct FileQuestion {
        std::string title;
        std::string filter; // description and pattern, joined by "|"
        bool save;
        bool operator==(const FileQuestion&) const = default;
    };

    std::deque<quivra::Answer> answers;           // for Yes/No boxes, in order; No when none left
    std::deque<std::optional<std::string>> files; // nullopt is a cancel, as is running out
    std::vector<Box> boxes;
    std::vector<FileQuestion> fileQuestions;
    int beeps = 0;
    bool quitRequested = false;

    quivra::Answer messageBox(std::string_view text, std::string_view title,
                              quivra::Buttons buttons, quivra::Icon icon) override {
        boxes.push_back({std::string{text}, std::string{title}, buttons, icon});
        return buttons == quivra::Buttons::Ok ? quivra::Answer::Ok
                                              : next(answers, quivra::Answer::No);
    }
    std::optional<std::string> fileName(quivra::FileDialog dialog, std::string_view title,
                                        const quivra::FileFilter& filter) override {
        fileQuestions.push_back(
            {std::string{title},
             std::string{filter.description} + "|" + std::string{filter.pattern},
             dialog == quivra::FileDialog::Save});
        return next(files, std::optional<std::string>{});
    }
    void beep() override { ++beeps; }
    void quit() override { quitRequested = true; }

private:
    template <typename T>
    static T next(std::deque<T>& script, T value) {
        if (!script.empty()) {
            value = script.front();
            script.pop_front();
        }
        return value;
    }
};
