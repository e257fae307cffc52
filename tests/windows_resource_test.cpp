// Reads back the version resource and icon that packaging/windows/quivra.rc.in puts into the
// program: Explorer's Properties page and the file's icon come from these bytes.
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <iomanip>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace {

using Bytes = std::vector<unsigned char>;

// windows.h spells RT_ICON and kGroupIcon as narrow strings unless UNICODE is defined.
const wchar_t* const kIcon = MAKEINTRESOURCEW(3);
const wchar_t* const kGroupIcon = MAKEINTRESOURCEW(14);

Bytes ownVersionInfo() {
    wchar_t self[MAX_PATH];
    const DWORD length = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    DWORD ignored = 0;
    const DWORD size =
        length > 0 && length < MAX_PATH ? ::GetFileVersionInfoSizeW(self, &ignored) : 0;
    Bytes block(size);
    return size > 0 && ::GetFileVersionInfoW(self, 0, size, block.data()) ? block : Bytes{};
}

template <typename T>
const T* query(Bytes& block, const std::wstring& path, UINT& size) {
    void* value = nullptr;
    return ::VerQueryValueW(block.data(), path.c_str(), &value, &size)
               ? static_cast<const T*>(value)
               : nullptr;
}

Bytes resourceBytes(const wchar_t* name, const wchar_t* type) {
    HRSRC found = ::FindResourceW(nullptr, name, type);
    HGLOBAL loaded = found ? ::LoadResource(nullptr, found) : nullptr;
    const auto* data = loaded ? static_cast<const unsigned char*>(::LockResource(loaded)) : nullptr;
    return data ? Bytes(data, data + ::SizeofResource(nullptr, found)) : Bytes{};
}

std::uint32_t le(const Bytes& b, std::size_t at, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        value = (value << 8) | b.at(at + static_cast<std::size_t>(i));
    }
    return value;
}

// 1.2.1 shows as 1.02.0001, in Spanish (Spain) and Windows-1252, as an application.
TEST(VersionResource, NamesTheGameInSpanish) {
    Bytes block = ownVersionInfo();
    ASSERT_FALSE(block.empty()) << "no version resource";
    UINT size = 0;
    const auto* fixed = query<VS_FIXEDFILEINFO>(block, L"\\", size);
    ASSERT_NE(fixed, nullptr);
    const auto high = static_cast<DWORD>(MAKELONG(QUIVRA_VERSION_MINOR, QUIVRA_VERSION_MAJOR));
    const auto low = static_cast<DWORD>(MAKELONG(QUIVRA_VERSION_PATCH, 0));
    EXPECT_EQ(fixed->dwFileVersionMS, high);
    EXPECT_EQ(fixed->dwFileVersionLS, low);
    EXPECT_EQ(fixed->dwProductVersionMS, high);
    EXPECT_EQ(fixed->dwProductVersionLS, low);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(fixed->dwFileFlags & fixed->dwFileFlagsMask, 0U) << "no debug or pre-release flag";

    const auto* translation = query<WORD>(block, L"\\VarFileInfo\\Translation", size);
    ASSERT_NE(translation, nullptr);
    ASSERT_EQ(size, 2 * sizeof(WORD)) << "exactly one language";
    EXPECT_EQ(translation[0], 0x0C0A);
    EXPECT_EQ(translation[1], 1252);

    std::wostringstream version;
    version << QUIVRA_VERSION_MAJOR << L'.' << std::setw(2) << std::setfill(L'0')
            << QUIVRA_VERSION_MINOR << L'.' << std::setw(4) << QUIVRA_VERSION_PATCH;
    const std::pair<std::wstring, std::wstring> strings[] = {
        {L"FileVersion", version.str()},
        {L"ProductVersion", version.str()},
        {L"ProductName", L"Quivra"},
        {L"FileDescription", L"Quivra, un relato interactivo del mar"},
        {L"OriginalFilename", L"quivra.exe"}};
    for (const auto& [name, expected] : strings) {
        const auto* value = query<wchar_t>(block, L"\\StringFileInfo\\0C0A04E4\\" + name, size);
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(std::wstring(value), expected);
    }
}

// The program's first icon group holds exactly the images of quivra.ico. The file gives each
// entry 16 bytes and an offset; the resource 14 and the id of its image.
TEST(IconResource, FirstIconIsTheCloud) {
    std::wstring first;
    ::EnumResourceNamesW(
        nullptr, kGroupIcon,
        [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR kept) {
            *reinterpret_cast<std::wstring*>(kept) =
                IS_INTRESOURCE(name) ? L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(name))
                                     : name;
            return FALSE;
        },
        reinterpret_cast<LONG_PTR>(&first));
    const Bytes group = resourceBytes(first.c_str(), kGroupIcon);
    std::ifstream file(QUIVRA_ICON_FILE, std::ios::binary);
    const Bytes ico{std::istreambuf_iterator<char>(file), {}};
    ASSERT_GE(group.size(), 6U) << "no icon in the program";
    ASSERT_EQ(le(group, 4, 2), le(ico, 4, 2));
    for (std::size_t i = 0; i < le(ico, 4, 2); ++i) {
        const std::size_t inFile = 6 + 16 * i;
        const std::size_t inGroup = 6 + 14 * i;
        EXPECT_EQ(std::memcmp(&ico.at(inFile), &group.at(inGroup), 12), 0) << "entry " << i;
        const Bytes image = resourceBytes(MAKEINTRESOURCEW(le(group, inGroup + 12, 2)), kIcon);
        const Bytes stored(ico.begin() + le(ico, inFile + 12, 4),
                           ico.begin() + le(ico, inFile + 12, 4) + le(ico, inFile + 8, 4));
        EXPECT_EQ(image, stored) << "entry " << i;
    }
}

} // namespace
