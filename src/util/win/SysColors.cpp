#include "util/win/SysColors.h"

#include "util/ColorText.h"
#include "util/win/Handles.h"

#include <cstdint>
#include <deque>
#include <utility>

namespace {

constexpr const wchar_t* kEditColorProp = L"MvEditBackground";

std::uint32_t SystemColor(int index) {
    return ::GetSysColor(index);
}

// The property holds colour + 1 so that black is told apart from "no property".
HANDLE EncodeColor(TColor color) {
    return reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(static_cast<std::uint32_t>(color)) +
                                    1);
}

bool DecodeColor(HANDLE value, TColor& color) {
    if (!value) return false;
    color = static_cast<TColor>(
        static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(value) - 1));
    return true;
}

// The colour window colours many edits: the cache keeps the most recent
// colours only. A brush handed out is used for one paint, so dropping the
// oldest later is safe.
HBRUSH CachedSolidBrush(COLORREF rgb) {
    constexpr std::size_t MaxBrushes = 32;
    static std::deque<std::pair<COLORREF, UniqueHBrush>> cache;
    for (const auto& [colour, brush] : cache)
        if (colour == rgb) return brush.Get();
    if (cache.size() >= MaxBrushes) cache.pop_front();
    cache.emplace_back(rgb, UniqueHBrush(::CreateSolidBrush(rgb)));
    return cache.back().second.Get();
}

} // namespace

void InstallSysColorProvider() {
    SetSysColorProvider(&SystemColor);
}

void SetEditBackgroundColor(HWND edit, TColor color) {
    if (!edit) return;
    ::SetPropW(edit, kEditColorProp, EncodeColor(color));
    ::InvalidateRect(edit, nullptr, TRUE);
}

void ClearEditBackgroundColor(HWND edit) {
    if (!edit) return;
    ::RemovePropW(edit, kEditColorProp);
    ::InvalidateRect(edit, nullptr, TRUE);
}

void EnabledColor(HWND edit) {
    if (!edit) return;
    SetEditBackgroundColor(edit, EnabledColor(::IsWindowEnabled(edit) != FALSE));
}

HBRUSH EditBackgroundBrush(HWND edit, HDC dc) {
    TColor color = clNone;
    if (!edit || !DecodeColor(::GetPropW(edit, kEditColorProp), color) || color == clNone)
        return nullptr;
    const COLORREF rgb = static_cast<COLORREF>(GetRealColor(color));
    if (dc) ::SetBkColor(dc, rgb);
    // System colours take the system's brush, which follows a change of scheme.
    if (color < 0) return ::GetSysColorBrush(color & 0xFF);
    return CachedSolidBrush(rgb);
}

HBRUSH ParentBackgroundBrush(HWND control, HDC dc) {
    const HWND parent = control ? ::GetParent(control) : nullptr;
    HBRUSH brush = nullptr;
    if (parent)
        brush = reinterpret_cast<HBRUSH>(::SendMessageW(parent, WM_CTLCOLORSTATIC,
                                                        reinterpret_cast<WPARAM>(dc),
                                                        reinterpret_cast<LPARAM>(control)));
    return brush ? brush : ::GetSysColorBrush(COLOR_BTNFACE);
}

TColor ParentBackgroundColor(HWND control, HDC dc) {
    LOGBRUSH info{};
    if (::GetObjectW(ParentBackgroundBrush(control, dc), sizeof(info), &info) == sizeof(info) &&
        info.lbStyle == BS_SOLID)
        return static_cast<TColor>(info.lbColor);
    return static_cast<TColor>(::GetSysColor(COLOR_BTNFACE));
}
