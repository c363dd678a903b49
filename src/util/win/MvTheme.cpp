#include "util/win/MvTheme.h"

#include "util/SmallControlRules.h"
#include "util/win/Handles.h"
#include "util/win/WindowsInfo.h"

#include <uxtheme.h>

namespace {

constexpr int NormalState = 1; // ETS_NORMAL and EPSN_NORMAL alike

void PaintClassicEditBorder(HDC dc, const RECT& rect) {
    UniqueHPen pen(::CreatePen(PS_SOLID, 1, RGB(0x80, 0x80, 0x80)));
    SelectGuard penGuard(dc, pen.Get());
    SelectGuard brushGuard(dc, ::GetSysColorBrush(COLOR_WINDOW));
    ::Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
}

} // namespace

bool ThemesActive() {
    return ::IsAppThemed() != FALSE;
}

void ThemePaintEditBorder(HDC dc, const RECT& rect) {
    ThemePaintEditBorder(dc, rect, ThemesActive());
}

void ThemePaintEditBorder(HDC dc, const RECT& rect, bool themed) {
    if (themed) {
        if (HTHEME theme = ::OpenThemeData(nullptr, L"Edit")) {
            static const int part = EditBorderThemePart(GetWindowsVersion());
            const HRESULT drawn =
                ::DrawThemeBackground(theme, dc, part, NormalState, &rect, nullptr);
            ::CloseThemeData(theme);
            if (SUCCEEDED(drawn)) return;
        }
    }
    // No theme data for edits (or drawing failed): the classic look.
    PaintClassicEditBorder(dc, rect);
}
