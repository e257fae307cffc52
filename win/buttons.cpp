// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#include "buttons.hpp"

#include <iterator>

namespace quivra::win {

void drawCommandButton(const DRAWITEMSTRUCT& item, const Bitmap& picture, SIZE shown, COLORREF ink,
                       HBRUSH paper) {
    HDC dc = item.hDC;
    RECT face = item.rcItem;
    const bool pushed = (item.itemState & ODS_SELECTED) != 0;
    ::DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
    RECT inside = face;
    ::InflateRect(&inside, -2, -2);
    ::FillRect(dc, &inside, paper);
    const int shift = pushed ? 1 : 0;

    wchar_t caption[64] = {};
    ::GetWindowTextW(item.hwndItem, caption, static_cast<int>(std::size(caption)));
    RECT measured{};
    ::DrawTextW(dc, caption, -1, &measured, DT_CALCRECT | DT_SINGLELINE);
    const int gap = picture.empty() ? 0 : shown.cy / 8;
    const int picturesHeight = picture.empty() ? 0 : shown.cy;
    const int top =
        face.top + (face.bottom - face.top - picturesHeight - gap - measured.bottom) / 2 + shift;
    if (!picture.empty()) {
        picture.draw(dc, {(face.left + face.right - shown.cx) / 2 + shift, top}, shown);
    }
    RECT text{face.left + shift, top + picturesHeight + gap, face.right + shift, face.bottom};
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ink);
    const UINT hidePrefix = (item.itemState & ODS_NOACCEL) != 0 ? DT_HIDEPREFIX : 0;
    ::DrawTextW(dc, caption, -1, &text, DT_CENTER | DT_SINGLELINE | DT_TOP | hidePrefix);
    if ((item.itemState & ODS_FOCUS) != 0) {
        RECT focus = face;
        ::InflateRect(&focus, -4, -4);
        ::DrawFocusRect(dc, &focus);
    }
}

} // namespace quivra::win
