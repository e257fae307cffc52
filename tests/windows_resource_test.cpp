// Reads back the version resource and icon that packaging/windows/quivra.rc.in puts into the
// program: Explorer's Properties page and the file's icon come from these bytes.
#include <cstdint>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <iomanip>
#include <iterator>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace {

// windows.h spells RT_ICON, RT_GROUP_ICON and RT_VERSION as narrow strings unless UNICODE is
// defined.
const wchar_t* const kIcon = MAKEINTRESOURCEW(3);
const wchar_t* const kGroupIcon = MAKEINTRESOURCEW(14);
const wchar_t* const kVersion = MAKEINTRESOURCEW(16);

std::vector<unsigned char> ownVersionInfo() {
    wchar_t self[MAX_PATH];
    const DWORD length = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    if (length == 0 || length == MAX_PATH) {
        return {};
    }
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(self, &ignored);
    std::vector<unsigned char> block(size);
    if (size == 0 || !::GetFileVersionInfoW(self, 0, size, block.data())) {
        return {};
    }
    return block;
}

template <typename T>
const T* query(std::vector<unsigned char>& block, const wchar_t* path, UINT& bytes) {
    void* value = nullptr;
    if (!::VerQueryValueW(block.data(), path, &value, &bytes)) {
        return nullptr;
    }
    return static_cast<const T*>(value);
}

std::string narrow(const wchar_t* text) {
    std::string out;
    for (; *text != 0; ++text) {
        out += *text < 0x80 ? static_cast<char>(*text) : '?';
    }
    return out;
}

// Minor in two digits and patch in four: 1.2.1 shows as 1.02.0001.
std::string windowsVersionText() {
    std::ostringstream text;
    text << QUIVRA_VERSION_MAJOR << '.' << std::setw(2) << std::setfill('0') << QUIVRA_VERSION_MINOR
         << '.' << std::setw(4) << std::setfill('0') << QUIVRA_VERSION_PATCH;
    return text.str();
}

TEST(VersionResource, NumbersAreMajorMinorZeroPatch) {
    std::vector<unsigned char> block = ownVersionInfo();
    ASSERT_FALSE(block.empty()) << "no version resource";
    UINT bytes = 0;
    const auto* fixed = query<VS_FIXEDFILEINFO>(block, L"\\", bytes);
    ASSERT_NE(fixed, nullptr);
    ASSERT_EQ(bytes, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDU);

    const auto high = static_cast<DWORD>(MAKELONG(QUIVRA_VERSION_MINOR, QUIVRA_VERSION_MAJOR));
    const auto low = static_cast<DWORD>(MAKELONG(QUIVRA_VERSION_PATCH, 0));
    EXPECT_EQ(fixed->dwFileVersionMS, high);
    EXPECT_EQ(fixed->dwFileVersionLS, low);
    EXPECT_EQ(fixed->dwProductVersionMS, high);
    EXPECT_EQ(fixed->dwProductVersionLS, low);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(fixed->dwFileFlags & fixed->dwFileFlagsMask, 0U) << "no debug or pre-release flag";
}

TEST(VersionResource, LanguageIsSpanishOfSpainInWindows1252) {
    std::vector<unsigned char> block = ownVersionInfo();
    ASSERT_FALSE(block.empty());
    UINT bytes = 0;
    const auto* translation = query<WORD>(block, L"\\VarFileInfo\\Translation", bytes);
    ASSERT_NE(translation, nullptr);
    ASSERT_EQ(bytes, 2 * sizeof(WORD)) << "exactly one language";
    EXPECT_EQ(translation[0], 0x0C0A);
    EXPECT_EQ(translation[1], 1252);
    EXPECT_NE(::FindResourceExW(nullptr, kVersion, MAKEINTRESOURCEW(VS_VERSION_INFO), 0x0C0A),
              nullptr)
        << "the resource itself is Spanish (Spain) too";
}

struct StringValue {
    const wchar_t* name;
    std::string expected;
};

void PrintTo(const StringValue& value, std::ostream* out) {
    *out << narrow(value.name) << " = " << value.expected;
}

class VersionStringTest : public testing::TestWithParam<StringValue> {};

TEST_P(VersionStringTest, IsInTheSpanishBlock) {
    std::vector<unsigned char> block = ownVersionInfo();
    ASSERT_FALSE(block.empty());
    const std::wstring path = std::wstring(L"\\StringFileInfo\\0C0A04E4\\") + GetParam().name;
    UINT characters = 0;
    const auto* value = query<wchar_t>(block, path.c_str(), characters);
    ASSERT_NE(value, nullptr) << narrow(path.c_str()) << " is missing";
    EXPECT_EQ(narrow(value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, VersionStringTest,
    testing::Values(StringValue{L"FileVersion", windowsVersionText()},
                    StringValue{L"ProductVersion", windowsVersionText()},
                    StringValue{L"ProductName", "Quivra"},
                    StringValue{L"FileDescription", "Quivra, un relato interactivo del mar"},
                    StringValue{L"OriginalFilename", "quivra.exe"}),
    [](const testing::TestParamInfo<StringValue>& info) { return narrow(info.param.name); });

std::vector<unsigned char> resourceBytes(const wchar_t* name, const wchar_t* type) {
    HRSRC found = ::FindResourceW(nullptr, name, type);
    HGLOBAL loaded = found ? ::LoadResource(nullptr, found) : nullptr;
    const auto* data = loaded ? static_cast<const unsigned char*>(::LockResource(loaded)) : nullptr;
    if (data == nullptr) {
        return {};
    }
    return {data, data + ::SizeofResource(nullptr, found)};
}

BOOL CALLBACK keepFirst(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR first) {
    auto* kept = reinterpret_cast<std::wstring*>(first);
    *kept = IS_INTRESOURCE(name) ? L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(name))
                                 : std::wstring(name);
    return FALSE;
}

std::uint16_t le16(const std::vector<unsigned char>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b.at(at) | (b.at(at + 1) << 8));
}

std::uint32_t le32(const std::vector<unsigned char>& b, std::size_t at) {
    return le16(b, at) | (static_cast<std::uint32_t>(le16(b, at + 2)) << 16);
}

// The first icon group is the program's icon; it must hold the images of quivra.ico.
TEST(IconResource, FirstIconIsTheCloud) {
    std::wstring first;
    ::EnumResourceNamesW(nullptr, kGroupIcon, keepFirst, reinterpret_cast<LONG_PTR>(&first));
    ASSERT_FALSE(first.empty()) << "no icon in the program";
    const std::vector<unsigned char> group = resourceBytes(first.c_str(), kGroupIcon);

    std::ifstream file(QUIVRA_ICON_FILE, std::ios::binary);
    const std::vector<unsigned char> ico{std::istreambuf_iterator<char>(file), {}};
    ASSERT_GE(ico.size(), 6U) << QUIVRA_ICON_FILE;
    ASSERT_GE(group.size(), 6U);

    // Both start with reserved, type 1, count; then 16-byte entries in the file and 14-byte
    // ones in the resource, which give a resource id where the file gives an offset.
    const std::size_t count = le16(ico, 4);
    ASSERT_EQ(le16(group, 4), count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t inFile = 6 + 16 * i;
        const std::size_t inGroup = 6 + 14 * i;
        EXPECT_EQ(std::memcmp(&ico.at(inFile), &group.at(inGroup), 12), 0) << "entry " << i;
        const std::uint16_t id = le16(group, inGroup + 12);
        const std::vector<unsigned char> image = resourceBytes(MAKEINTRESOURCEW(id), kIcon);
        const std::uint32_t size = le32(ico, inFile + 8);
        const std::uint32_t offset = le32(ico, inFile + 12);
        ASSERT_EQ(image.size(), size) << "entry " << i;
        ASSERT_LE(std::size_t{offset} + size, ico.size());
        EXPECT_EQ(std::memcmp(image.data(), &ico.at(offset), size), 0) << "entry " << i;
    }
}

} // namespace
