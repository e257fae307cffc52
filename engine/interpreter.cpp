#include "interpreter.hpp"

#include "story.hpp"

#include <algorithm>

namespace quivra {
namespace {

// Upper-case to lower-case for the alphabets a player can type on a European keyboard:
// Latin (with Latin-1 and Latin Extended-A), Greek and Cyrillic.
char32_t toLower(char32_t c) {
    if ((c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
        return c + 0x20;
    }
    if (c >= 0x100 && c <= 0x17F) {
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
    if ((c >= 0x391 && c <= 0x3AB && c != 0x3A2) || (c >= 0x410 && c <= 0x42F)) {
        return c + 0x20;
    }
    if (c >= 0x400 && c <= 0x40F) {
        return c + 0x50;
    }
    return c;
}

// Beyond Unicode, so no case mapping touches it.
constexpr char32_t kMalformed = 0x110000;

// Decodes one UTF-8 sequence at `pos`. A malformed byte comes back as kMalformed with
// length 1, so the caller copies it through unchanged.
char32_t decodeAt(std::string_view s, std::size_t pos, std::size_t& length) {
    length = 1;
    const auto lead = static_cast<unsigned char>(s[pos]);
    if (lead < 0x80) {
        return lead;
    }
    const std::size_t extra = (lead >= 0xC2 && lead <= 0xDF)   ? 1
                              : (lead >= 0xE0 && lead <= 0xEF) ? 2
                              : (lead >= 0xF0 && lead <= 0xF4) ? 3
                                                               : 0;
    if (extra == 0 || pos + extra >= s.size()) {
        return kMalformed;
    }
    char32_t c = lead & (0x3F >> extra);
    for (std::size_t i = 1; i <= extra; ++i) {
        const auto next = static_cast<unsigned char>(s[pos + i]);
        if ((next & 0xC0) != 0x80) {
            return kMalformed;
        }
        c = (c << 6) | (next & 0x3F);
    }
    constexpr char32_t kShortest[] = {0, 0x80, 0x800, 0x10000};
    if (c < kShortest[extra] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
        return kMalformed;
    }
    length = extra + 1;
    return c;
}

// Lower-case letters never need more UTF-8 bytes than their capitals, so `out` has room.
char* writeUtf8(char* out, char32_t c) {
    if (c < 0x80) {
        *out++ = static_cast<char>(c);
    } else if (c < 0x800) {
        *out++ = static_cast<char>(0xC0 | (c >> 6));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    } else {
        *out++ = static_cast<char>(0xE0 | (c >> 12));
        *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
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
    case Display::Text:
        view.writeSceneText(state.strRelato);
        break;
    case Display::TextView:
        view.writeSceneText(state.strRelato);
        for (const Picture picture : kAllPictures) {
            view.showPicture(picture, false);
        }
        view.showSceneText(true);
        break;
    case Display::Picture:
        view.showSceneText(false);
        for (const Picture picture : kAllPictures) {
            view.showPicture(picture, picture == row.show.picture);
        }
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
        const char ascii = trimmed[pos];
        if (static_cast<unsigned char>(ascii) < 0x80) {
            *out++ =
                (ascii >= 'A' && ascii <= 'Z') ? static_cast<char>(ascii + ('a' - 'A')) : ascii;
            ++pos;
            continue;
        }
        std::size_t length = 0;
        const char32_t c = decodeAt(trimmed, pos, length);
        const char32_t lower = toLower(c);
        if (lower == c) {
            out = std::copy_n(trimmed.data() + pos, length, out);
        } else {
            out = writeUtf8(out, lower);
        }
        pos += length;
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

void pressKey(GameState& state, View& view, std::int16_t keyAscii) {
    if (keyAscii == kEnterKey) {
        playTurn(state, view);
    }
}

} // namespace quivra
