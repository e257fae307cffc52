#include "interpreter.hpp"

#include "story.hpp"
#include "utf8.hpp"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace quivra {
namespace {

// Latin Extended-A (U+0100-U+017F) puts each capital just before its small letter.
char32_t toLowerLatinExtendedA(char32_t c) {
    if (c == 0x130) {
        return U'i';
    }
    if (c == 0x178) {
        return 0xFF;
    }
    const bool pairsStartEven = (c <= 0x137) || (c >= 0x14A && c <= 0x177);
    const bool pairsStartOdd = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if ((pairsStartEven && c % 2 == 0) || (pairsStartOdd && c % 2 == 1)) {
        return c + 1;
    }
    return c;
}

// Upper-case to lower-case for the alphabets a player can type on a European keyboard:
// Latin (with Latin-1 and Latin Extended-A), Greek and Cyrillic.
char32_t toLower(char32_t c) {
    if ((c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
        return c + 0x20;
    }
    if (c >= 0x100 && c <= 0x17F) {
        return toLowerLatinExtendedA(c);
    }
    if ((c >= 0x391 && c <= 0x3AB && c != 0x3A2) || (c >= 0x410 && c <= 0x42F)) {
        return c + 0x20;
    }
    if (c >= 0x400 && c <= 0x40F) {
        return c + 0x50;
    }
    return c;
}

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

// Lower-cases eight ASCII bytes at once: a wrong phrase is the commonest turn and its
// time goes mostly here. False, writing nothing, when a byte is not ASCII.
bool lowerAsciiWord(const char* in, char* out) {
    constexpr std::uint64_t kEach = 0x0101010101010101;
    constexpr std::uint64_t kHighBits = 0x80 * kEach;
    std::uint64_t word = 0;
    std::memcpy(&word, in, sizeof word);
    if ((word & kHighBits) != 0) {
        return false;
    }
    // Adding 0x80 - 'A' sets a byte's high bit from 'A' up; 0x80 - 'Z' - 1, above 'Z'.
    const std::uint64_t fromA = word + (0x80 - 'A') * kEach;
    const std::uint64_t aboveZ = word + (0x80 - 'Z' - 1) * kEach;
    const std::uint64_t capitals = fromA & ~aboveZ & kHighBits;
    word |= capitals >> 2; // 0x80 >> 2 is the 0x20 between 'A' and 'a'
    std::memcpy(out, &word, sizeof word);
    return true;
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
