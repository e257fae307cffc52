// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#include "interpreter.hpp"

#include "lower_case.hpp"
#include "story.hpp"
#include "utf8.hpp"

#include <algorithm>

namespace quivra {
namespace {

std::string_view trimSpaces(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

void carryOut(const Row& row, GameState& state, View& view) {
    state.strEstado = row.next;
    state.strRelato.reserve(passageLength(row.narrative));
    for (const std::string_view piece : row.narrative) {
        state.strRelato += piece;
    }
    switch (row.show.kind) {
    case Display::WriteText:
        view.writeSceneText(state.strRelato);
        break;
    case Display::ShowText:
        view.writeSceneText(state.strRelato);
        showOnly(view, std::nullopt);
        break;
    case Display::ShowPicture:
        showOnly(view, row.show.picture);
        break;
    }
    view.writeVerdict(row.verdict);
}

// Writes into `phrase` so a turn reuses the storage of the last phrase.
void normaliseInto(std::string_view entry, std::string& phrase) {
    const std::string_view trimmed = trimSpaces(entry);
    phrase.resize(trimmed.size());
    char* out = phrase.data();
    for (std::size_t pos = 0; pos < trimmed.size();) {
        if (trimmed.size() - pos >= 8 && lowerAsciiWord(trimmed.data() + pos, out)) {
            pos += 8;
            out += 8;
            continue;
        }
        const char ascii = trimmed[pos];
        if (static_cast<unsigned char>(ascii) < 0x80) {
            *out++ =
                (ascii >= 'A' && ascii <= 'Z') ? static_cast<char>(ascii + ('a' - 'A')) : ascii;
            ++pos;
            continue;
        }
        const std::size_t start = pos;
        const char32_t c = utf8::next(trimmed, pos);
        const char32_t lower = toLower(c);
        if (lower == c) {
            out = std::copy(trimmed.data() + start, trimmed.data() + pos, out);
        } else {
            // Lower-case letters never need more bytes than their capitals.
            out = utf8::write(out, lower);
        }
    }
    phrase.resize(static_cast<std::size_t>(out - phrase.data()));
}

} // namespace

std::string normalisePhrase(std::string_view entry) {
    std::string phrase;
    normaliseInto(entry, phrase);
    return phrase;
}

void playTurn(GameState& state, View& view) {
    state.strRelato.clear();
    normaliseInto(view.readEntryText(), state.strComando);
    const Lookup lookup = findRow(state.strEstado, state.strComando);
    switch (lookup.found) {
    case Found::NoScene:
        return;
    case Found::WrongPhrase:
        view.writeVerdict(kEquivocado);
        return;
    case Found::Row:
        carryOut(*lookup.row, state, view);
        return;
    }
}

void showOnly(View& view, std::optional<Picture> picture) {
    view.showSceneText(!picture);
    for (const Picture each : kAllPictures) {
        view.showPicture(each, each == picture);
    }
}

void restoreDisplay(const GameState& state, View& view) {
    const std::optional<Picture> picture = pictureOfScene(state.strEstado);
    if (!picture) {
        view.writeSceneText(state.strRelato);
    }
    showOnly(view, picture);
}

void pressKey(GameState& state, View& view, std::int16_t keyAscii) {
    if (keyAscii == kEnterKey) {
        playTurn(state, view);
    }
}

} // namespace quivra
