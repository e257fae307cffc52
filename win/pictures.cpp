// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#include "pictures.hpp"

#include <string>
#include <utility>
#include <wincodec.h>

namespace quivra::win {

namespace {

// Releases a COM interface when it goes out of scope.
template <typename Interface>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() {
        if (pointer_ != nullptr) {
            pointer_->Release();
        }
    }
    Interface** put() { return &pointer_; }
    Interface* get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }

private:
    Interface* pointer_ = nullptr;
};

struct ResourceBytes {
    const BYTE* data = nullptr;
    DWORD size = 0;
};

ResourceBytes findResource(const std::wstring& name) {
    const HMODULE module = ::GetModuleHandleW(nullptr);
    HRSRC found = ::FindResourceW(module, name.c_str(), MAKEINTRESOURCEW(10)); // RT_RCDATA
    HGLOBAL loaded = found != nullptr ? ::LoadResource(module, found) : nullptr;
    if (loaded == nullptr) {
        return {};
    }
    return {static_cast<const BYTE*>(::LockResource(loaded)), ::SizeofResource(module, found)};
}

HBITMAP topDownBitmap(UINT width, UINT height, void** bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    info.bmiHeader.biHeight = -static_cast<LONG>(height);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

// WIC decodes JPEG and PNG on every Windows since Vista, and under Wine.
Bitmap decode(ResourceBytes bytes) {
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    UINT width = 0;
    UINT height = 0;
    if (bytes.data == nullptr ||
        FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IWICImagingFactory,
                                  reinterpret_cast<void**>(factory.put()))) ||
        FAILED(factory->CreateStream(stream.put())) ||
        FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(bytes.data), bytes.size)) ||
        FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr,
                                                WICDecodeMetadataCacheOnDemand, decoder.put())) ||
        FAILED(decoder->GetFrame(0, frame.put())) ||
        FAILED(factory->CreateFormatConverter(converter.put())) ||
        FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppPBGRA,
                                     WICBitmapDitherTypeNone, nullptr, 0,
                                     WICBitmapPaletteTypeCustom)) ||
        FAILED(converter->GetSize(&width, &height))) {
        return {};
    }
    void* bits = nullptr;
    HBITMAP bitmap = topDownBitmap(width, height, &bits);
    const UINT stride = width * 4;
    if (bitmap == nullptr ||
        FAILED(converter->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(bits)))) {
        if (bitmap != nullptr) {
            ::DeleteObject(bitmap);
        }
        return {};
    }
    return {bitmap, {static_cast<LONG>(width), static_cast<LONG>(height)}};
}

// What a picture box keeps between paints: its picture, decoded on first paint so that
// start-up does not wait for seven JPEGs, and again when the window moves to another DPI.
struct PictureBoxState {
    const wchar_t* name = nullptr; // of its JPEG, without extension
    Bitmap picture;
    UINT dpi = USER_DEFAULT_SCREEN_DPI;
    UINT decodedDpi = 0;
};

const Bitmap& pictureOf(PictureBoxState& state) {
    if (state.decodedDpi != state.dpi) {
        state.picture = loadPicture(state.name, L"jpg", state.dpi);
        state.decodedDpi = state.dpi;
    }
    return state.picture;
}

void paintPictureBox(HWND box, PictureBoxState& state) {
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(box, &paint);
    RECT inner;
    ::GetClientRect(box, &inner);
    auto* paper = reinterpret_cast<HBRUSH>(::SendMessageW(::GetParent(box), WM_CTLCOLORSTATIC,
                                                          reinterpret_cast<WPARAM>(dc),
                                                          reinterpret_cast<LPARAM>(box)));
    ::FillRect(dc, &inner, paper != nullptr ? paper : ::GetSysColorBrush(COLOR_BTNFACE));
    const Bitmap& picture = pictureOf(state);
    if (!picture.empty()) {
        // Unscaled at 96 DPI; at other densities the 2x drawing at the window's own scale.
        const UINT dpi = state.decodedDpi;
        const bool sharp = dpi > USER_DEFAULT_SCREEN_DPI;
        const SIZE natural{picture.size().cx / (sharp ? 2 : 1),
                           picture.size().cy / (sharp ? 2 : 1)};
        const SIZE shown{::MulDiv(natural.cx, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI),
                         ::MulDiv(natural.cy, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI)};
        ::IntersectClipRect(dc, inner.left, inner.top, inner.right, inner.bottom);
        picture.draw(dc, {0, 0}, shown);
    }
    if (::GetFocus() == box) {
        RECT focus = inner;
        ::InflateRect(&focus, -2, -2);
        ::DrawFocusRect(dc, &focus);
    }
    ::EndPaint(box, &paint);
}

LRESULT CALLBACK pictureBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<PictureBoxState*>(::GetWindowLongPtrW(box, GWLP_USERDATA));
    switch (message) {
    case WM_NCCREATE: {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        auto* created = new PictureBoxState; // NOLINT(cppcoreguidelines-owning-memory)
        created->name = static_cast<const wchar_t*>(creation->lpCreateParams);
        ::SetWindowLongPtrW(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
        break;
    }
    case WM_NCDESTROY:
        delete state; // NOLINT(cppcoreguidelines-owning-memory)
        ::SetWindowLongPtrW(box, GWLP_USERDATA, 0);
        break;
    case WM_PAINT:
        paintPictureBox(box, *state);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        ::InvalidateRect(box, nullptr, FALSE);
        break;
    case WM_LBUTTONDOWN:
        ::SetFocus(box);
        return 0;
    case kSetPictureDpi:
        state->dpi = static_cast<UINT>(wParam);
        ::InvalidateRect(box, nullptr, FALSE);
        return 0;
    case kGetDrawnSize:
        pictureOf(*state);
        return MAKELRESULT(state->picture.size().cx, state->picture.size().cy);
    default:
        break;
    }
    return ::DefWindowProcW(box, message, wParam, lParam);
}

} // namespace

Bitmap::Bitmap(Bitmap&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), size_(other.size_) {}

Bitmap& Bitmap::operator=(Bitmap&& other) noexcept {
    if (this != &other) {
        if (handle_ != nullptr) {
            ::DeleteObject(handle_);
        }
        handle_ = std::exchange(other.handle_, nullptr);
        size_ = other.size_;
    }
    return *this;
}

Bitmap::~Bitmap() {
    if (handle_ != nullptr) {
        ::DeleteObject(handle_);
    }
}

void Bitmap::draw(HDC target, POINT at, SIZE shown) const {
    HDC source = ::CreateCompatibleDC(target);
    HGDIOBJ previous = ::SelectObject(source, handle_);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::SetStretchBltMode(target, HALFTONE);
    ::AlphaBlend(target, at.x, at.y, shown.cx, shown.cy, source, 0, 0, size_.cx, size_.cy, blend);
    ::SelectObject(source, previous);
    ::DeleteDC(source);
}

Bitmap loadPicture(const wchar_t* name, const wchar_t* extension, UINT dpi) {
    if (dpi > USER_DEFAULT_SCREEN_DPI) {
        Bitmap sharp = decode(findResource(std::wstring{name} + L"_2x_" + extension));
        if (!sharp.empty()) {
            return sharp;
        }
    }
    return decode(findResource(std::wstring{name} + L"_" + extension));
}

void registerPictureBox(HINSTANCE instance) {
    WNDCLASSEXW pictureBox{};
    pictureBox.cbSize = sizeof pictureBox;
    pictureBox.lpfnWndProc = pictureBoxProc;
    pictureBox.hInstance = instance;
    pictureBox.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    pictureBox.lpszClassName = kPictureBoxClass;
    ::RegisterClassExW(&pictureBox);
}

} // namespace quivra::win
