// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#pragma once

#include <windows.h>

namespace quivra::win {

// A picture built into the program, decoded into a 32-bit bitmap with premultiplied alpha.
class Bitmap {
public:
    Bitmap() = default;
    Bitmap(HBITMAP handle, SIZE size) : handle_(handle), size_(size) {}
    Bitmap(Bitmap&& other) noexcept;
    Bitmap& operator=(Bitmap&& other) noexcept;
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;
    ~Bitmap();

    bool empty() const { return handle_ == nullptr; }
    SIZE size() const { return size_; }
    // Draws the whole bitmap stretched to `shown` with its top-left at `at`.
    void draw(HDC target, POINT at, SIZE shown) const;

private:
    HBITMAP handle_ = nullptr;
    SIZE size_{};
};

// The picture of the file "name.extension", or its "name@2x.extension" drawing when the screen
// has more than 96 dots per inch and the program holds one. Empty when neither decodes.
Bitmap loadPicture(const wchar_t* name, const wchar_t* extension, UINT dpi);

// Registers the picture box's window class. A picture box is created with the name of its
// JPEG, without extension, as its creation parameter, and its title as its window text,
// which is what screen readers call it. Its background is what its parent answers to
// WM_CTLCOLORSTATIC.
void registerPictureBox(HINSTANCE instance);
inline constexpr const wchar_t* kPictureBoxClass = L"QuivraPictureBox";
// Tells a picture box the DPI of its window (wParam), so it draws for that density.
inline constexpr UINT kSetPictureDpi = WM_APP + 1;
// The size of the bitmap a picture box draws, as MAKELRESULT(width, height).
inline constexpr UINT kGetDrawnSize = WM_APP + 2;

} // namespace quivra::win
