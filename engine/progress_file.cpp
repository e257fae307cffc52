#include "progress_file.hpp"

#include "durable_file.hpp"
#include "story.hpp"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <system_error>

namespace quivra {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kBlanks = " \r\n";
constexpr std::string_view kFieldEnds = ",\r\n";

// Reads the fields of a progress file from the first kMaxProgressBytes bytes. A field
// that reaches the end of those bytes ends there only when the file itself ends there.
class FieldReader {
public:
    explicit FieldReader(std::string_view bytes)
        : window_(bytes.substr(0, kMaxProgressBytes)), cut_(bytes.size() > kMaxProgressBytes) {}

    std::optional<std::string_view> next() {
        const std::size_t start = window_.find_first_not_of(kBlanks, pos_);
        if (start == std::string_view::npos) {
            return std::nullopt;
        }
        if (window_[start] != '"') {
            return upTo(window_.find_first_of(kFieldEnds, start), start);
        }
        const std::size_t close = window_.find('"', start + 1);
        if (close == std::string_view::npos) {
            // No closing quote: the rest of the file is the field, so a save that lost its
            // last byte still gives the player the position and the text up to there.
            return upTo(std::string_view::npos, start + 1);
        }
        // Text between the closing quote and the end of the field is skipped.
        const std::size_t end = window_.find_first_of(kFieldEnds, close + 1);
        pos_ = end == std::string_view::npos ? window_.size() : end + 1;
        return window_.substr(start + 1, close - start - 1);
    }

private:
    // The field from `start` up to `end`, or to the end of the file when `end` is npos.
    std::optional<std::string_view> upTo(std::size_t end, std::size_t start) {
        if (end == std::string_view::npos) {
            if (cut_) {
                return std::nullopt;
            }
            pos_ = window_.size();
            return window_.substr(start);
        }
        pos_ = end + 1;
        return window_.substr(start, end - start);
    }

    std::string_view window_;
    bool cut_;
    std::size_t pos_ = 0;
};

// The file a save must replace: links are followed so that the link stays a link.
std::optional<fs::path> saveTarget(const fs::path& path) {
    constexpr int kMaxLinks = 40;
    fs::path target = path;
    std::error_code error;
    for (int links = 0; fs::is_symlink(fs::symlink_status(target, error)); ++links) {
        const fs::path pointee = fs::read_symlink(target, error);
        if (error || links == kMaxLinks) {
            return std::nullopt;
        }
        target = pointee.is_absolute() ? pointee : target.parent_path() / pointee;
    }
    if (error && error != std::errc::no_such_file_or_directory) {
        return std::nullopt;
    }
    if (!target.has_filename()) {
        return std::nullopt;
    }
    return target;
}

// A name in the folder of `target` that no file has yet, as far as one can tell; a clash
// costs another try. Kept short so that a long file name still leaves room for it.
fs::path temporaryBeside(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    const auto tick = std::chrono::steady_clock::now().time_since_epoch().count();
    return target.parent_path() / (".quivra-" + std::to_string(tick % 1'000'000) + "-" +
                                   std::to_string(counter++) + ".tmp");
}

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

bool writeProgress(const fs::path& path, const Progress& progress) {
    const std::optional<fs::path> target = saveTarget(path);
    if (!target) {
        return false;
    }
    std::error_code error;
    const fs::file_status old = fs::status(*target, error);
    if (error && old.type() != fs::file_type::not_found) {
        return false;
    }
    const bool replacing = fs::exists(old);
    // Checked here because an administrator's account may write a read-only file anyway.
    if (replacing && (!fs::is_regular_file(old) ||
                      (old.permissions() & fs::perms::owner_write) == fs::perms::none)) {
        return false;
    }

    const std::string bytes = encodeProgress(progress);
    constexpr unsigned kAttempts = 16;
    for (unsigned attempt = 0; attempt < kAttempts; ++attempt) {
        const fs::path temporary = temporaryBeside(*target);
        error = platform::writeNewFile(temporary, bytes);
        if (error == std::errc::file_exists) {
            continue;
        }
        if (replacing && (error == std::errc::permission_denied ||
                          error == std::errc::operation_not_permitted)) {
            // A folder that lets the player write this file but not add one beside it (a
            // shared folder, a save prepared by someone else): write it in place instead.
            return !platform::overwriteFile(*target, bytes);
        }
        if (error) {
            return false;
        }
        if (replacing) {
            // Worth keeping, not worth failing the save for.
            fs::permissions(temporary, old.permissions(), error);
        }
        error = platform::replaceFile(temporary, *target);
        if (error) {
            fs::remove(temporary, error);
            return false;
        }
        return true;
    }
    return false;
}

PathKind whatIsAt(const fs::path& path) {
    std::error_code error;
    switch (fs::status(path, error).type()) {
    case fs::file_type::not_found:
        return PathKind::Nothing;
    case fs::file_type::regular:
        return PathKind::RegularFile;
    default:
        return PathKind::Other;
    }
}

std::optional<Progress> readProgress(const fs::path& path) {
    std::error_code error;
    // Only a regular file has an end: a device or a pipe could keep the reader waiting.
    if (!fs::is_regular_file(fs::status(path, error))) {
        return std::nullopt;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    std::string bytes;
    char chunk[1 << 14];
    while (bytes.size() <= kMaxProgressBytes && file) {
        const std::size_t wanted = std::min(sizeof chunk, kMaxProgressBytes + 1 - bytes.size());
        file.read(chunk, static_cast<std::streamsize>(wanted));
        bytes.append(chunk, static_cast<std::size_t>(file.gcount()));
    }
    if (file.bad()) {
        return std::nullopt;
    }
    return decodeProgress(bytes);
}

void restoreDisplay(const GameState& state, View& view) {
    view.showPicture(Picture::pic_1_0, false);
    view.showSceneText(false);
    if (const std::optional<Picture> picture = pictureOfScene(state.strEstado)) {
        view.showPicture(*picture, true);
        return;
    }
    view.writeSceneText(state.strRelato);
    view.showSceneText(true);
}

} // namespace quivra
