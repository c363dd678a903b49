#include "util/win/Fonts.h"

#include "util/win/Handles.h"

#include <cwchar>
#include <vector>

namespace {

struct CachedEntry {
    LOGFONTW Font;
    UniqueHFont Handle;
};

std::vector<CachedEntry>& Cache() {
    static std::vector<CachedEntry> cache;
    return cache;
}

bool SameFont(const LOGFONTW& a, const LOGFONTW& b) {
    return a.lfHeight == b.lfHeight && a.lfWeight == b.lfWeight && a.lfItalic == b.lfItalic &&
           a.lfUnderline == b.lfUnderline && a.lfCharSet == b.lfCharSet &&
           std::wcscmp(a.lfFaceName, b.lfFaceName) == 0;
}

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using SystemParametersInfoForDpiFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);

template <typename Fn> Fn User32Function(const char* name) {
    return reinterpret_cast<Fn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), name)));
}

} // namespace

UINT WindowDpi(HWND wnd) {
    static auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
    if (getDpiForWindow && wnd) {
        UINT dpi = getDpiForWindow(wnd);
        if (dpi) return dpi;
    }
    WindowDC dc(nullptr);
    int dpi = ::GetDeviceCaps(dc.Get(), LOGPIXELSY);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

LOGFONTW GetSysGuiFont(UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    static auto forDpi = User32Function<SystemParametersInfoForDpiFn>("SystemParametersInfoForDpi");
    if (forDpi && forDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi))
        return metrics.lfMessageFont;
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        LOGFONTW font = metrics.lfMessageFont;
        WindowDC screen(nullptr);
        const int systemDpi = ::GetDeviceCaps(screen.Get(), LOGPIXELSY);
        if (systemDpi > 0)
            font.lfHeight = ::MulDiv(font.lfHeight, static_cast<int>(dpi), systemDpi);
        return font;
    }
    LOGFONTW fallback{};
    fallback.lfHeight = -::MulDiv(9, static_cast<int>(dpi), 72);
    fallback.lfWeight = FW_NORMAL;
    fallback.lfCharSet = DEFAULT_CHARSET;
    std::wcscpy(fallback.lfFaceName, L"Segoe UI");
    return fallback;
}

void FontSetNameSize(const LOGFONTW& source, LOGFONTW& target) {
    std::wcscpy(target.lfFaceName, source.lfFaceName);
    target.lfHeight = source.lfHeight;
    target.lfWidth = source.lfWidth;
}

HFONT CachedFont(const LOGFONTW& font) {
    for (auto& entry : Cache())
        if (SameFont(entry.Font, font)) return entry.Handle.Get();
    Cache().push_back({font, UniqueHFont(::CreateFontIndirectW(&font))});
    return Cache().back().Handle.Get();
}

namespace {

struct FixContext {
    HFONT Normal;
    HFONT Password;
};

BOOL CALLBACK FixChild(HWND child, LPARAM param) {
    const auto* ctx = reinterpret_cast<const FixContext*>(param);
    wchar_t cls[32] = {};
    ::GetClassNameW(child, cls, 32);
    const bool isPassword =
        _wcsicmp(cls, L"Edit") == 0 && (::GetWindowLongPtrW(child, GWL_STYLE) & ES_PASSWORD) != 0;
    if (isPassword) {
        ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(ctx->Password), TRUE);
        ::SendMessageW(child, EM_SETPASSWORDCHAR, L'l', 0);
    } else {
        ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(ctx->Normal), TRUE);
    }
    return TRUE; // EnumChildWindows descends into all levels by itself
}

} // namespace

void FixSysGuiFont(HWND form) {
    if (!form) return;
    const LOGFONTW gui = GetSysGuiFont(WindowDpi(form));
    LOGFONTW password = gui;
    std::wcscpy(password.lfFaceName, L"Wingdings");
    password.lfCharSet = SYMBOL_CHARSET;
    FixContext ctx{CachedFont(gui), CachedFont(password)};
    ::SendMessageW(form, WM_SETFONT, reinterpret_cast<WPARAM>(ctx.Normal), FALSE);
    ::EnumChildWindows(form, &FixChild, reinterpret_cast<LPARAM>(&ctx));
}
