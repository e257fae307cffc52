// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

// What a screen reader must say of each phrase played from the start, as the shared commands
// announce it: one line a phrase, the verdict with the first words that follow it (heard once
// as one utterance), a tab, and the last words (heard at the end of the same text).
// scripts/check-screen-reader.sh listens for them.
//   spoken_words PHRASE...
#include "memory_files.hpp"
#include "recording_window.hpp"
#include "scripted_dialogs.hpp"

#include <cstdio>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> words(const std::string& text) {
    std::istringstream stream{text};
    return {std::istream_iterator<std::string>(stream), {}};
}

std::string join(const std::vector<std::string>& all, std::size_t from, std::size_t to) {
    std::string joined;
    for (std::size_t i = from; i < to && i < all.size(); ++i) {
        joined.append(joined.empty() ? "" : " ").append(all[i]);
    }
    return joined;
}

} // namespace

int main(int argc, char** argv) {
    constexpr std::size_t kOpening = 4; // the verdict and three words
    constexpr std::size_t kClosing = 3;
    RecordingWindow window;
    ScriptedDialogs dialogs;
    MemoryFiles files;
    quivra::Commands commands{window, dialogs, files};
    commands.Form_Load();
    for (int i = 1; i < argc; ++i) {
        window.entry = argv[i];
        window.said.clear();
        commands.cmdIr_Click();
        if (window.said.size() != 1) {
            std::fprintf(stderr, "spoken_words: \"%s\" said %zu texts\n", argv[i],
                         window.said.size());
            return 1;
        }
        const std::vector<std::string> said = words(window.said.front());
        const std::size_t last = said.size() < kClosing ? 0 : said.size() - kClosing;
        std::printf("%s\t%s\n", join(said, 0, kOpening).c_str(),
                    join(said, last, said.size()).c_str());
    }
    return 0;
}
