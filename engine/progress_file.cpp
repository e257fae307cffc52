// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#include "progress_file.hpp"

#include "windows1252.hpp"

namespace quivra {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kBlanks = " \r\n";
constexpr std::string_view kFieldEnds = ",\r\n";

// Reads the fields of a progress file from the first kMaxProgressBytes bytes. A field
// that reaches the end of those bytes ends there only when the file itself ends there.
class FieldReader {
public:
    explicit FieldReader(std::string_view bytes)
        : bytes_(bytes.substr(0, kMaxProgressBytes)), cut_(bytes.size() > kMaxProgressBytes) {}

    std::optional<std::string_view> next() {
        const std::size_t start = bytes_.find_first_not_of(kBlanks, pos_);
        if (start == std::string_view::npos) {
            return std::nullopt;
        }
        if (bytes_[start] != '"') {
            return field(start, bytes_.find_first_of(kFieldEnds, start));
        }
        const std::size_t close = bytes_.find('"', start + 1);
        if (close == std::string_view::npos) {
            // No closing quote: the rest of the file is the field, so a save that lost its
            // last byte still gives the player the position and the text up to there.
            return field(start + 1, std::string_view::npos);
        }
        // Text between the closing quote and the end of the field is skipped.
        const std::size_t end = bytes_.find_first_of(kFieldEnds, close + 1);
        pos_ = end == std::string_view::npos ? bytes_.size() : end + 1;
        return bytes_.substr(start + 1, close - start - 1);
    }

private:
    // The field from `start` up to `end`, or to the end of the file when `end` is npos.
    std::optional<std::string_view> field(std::size_t start, std::size_t end) {
        if (end == std::string_view::npos) {
            if (cut_) {
                return std::nullopt;
            }
            pos_ = bytes_.size();
            return bytes_.substr(start);
        }
        pos_ = end + 1;
        return bytes_.substr(start, end - start);
    }

    std::string_view bytes_;
    bool cut_;
    std::size_t pos_ = 0;
};

void appendField(std::string& bytes, std::string_view utf8) {
    bytes += '"';
    bytes += toWindows1252(utf8);
    bytes += '"';
    bytes += kLineEnd;
}

} // namespace

std::string encodeProgress(const Progress& progress) {
    std::string bytes;
    bytes.reserve(progress.strEstado.size() + progress.strRelato.size() + 8);
    appendField(bytes, progress.strEstado);
    appendField(bytes, progress.strRelato);
    return bytes;
}

std::optional<Progress> decodeProgress(std::string_view bytes) {
    FieldReader fields(bytes);
    const std::optional<std::string_view> scene = fields.next();
    if (!scene) {
        return std::nullopt;
    }
    const std::optional<std::string_view> narrative = fields.next();
    if (!narrative) {
        return std::nullopt;
    }
    return Progress{fromWindows1252(*scene), fromWindows1252(*narrative)};
}

} // namespace quivra
