// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

// Feeds arbitrary bytes to the progress-file reader and the code-page conversions.
// Built and run by scripts/fuzz.sh; any broken promise aborts the run.

#include "progress_file.hpp"
#include "windows1252.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace quivra;

namespace {

void require(bool holds) {
    if (!holds) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    // As file bytes: every byte value comes back from UTF-8 unchanged.
    const std::string utf8 = fromWindows1252(input);
    require(toWindows1252(utf8) == input);

    // As text of any quality: one byte per character at most, and stable once converted.
    const std::string bytes = toWindows1252(input);
    require(bytes.size() <= input.size());
    require(toWindows1252(fromWindows1252(bytes)) == bytes);

    // As a file: a position read is written and read again unchanged, as long as neither
    // field holds the quote that the format cannot escape and the save fits the limit.
    const std::optional<Progress> read = decodeProgress(input);
    if (read && read->strEstado.find('"') == std::string::npos &&
        read->strRelato.find('"') == std::string::npos) {
        const std::string saved = encodeProgress(*read);
        require(saved.size() > kMaxProgressBytes || decodeProgress(saved) == read);
    }
    return 0;
}
