#include "colour/win/ContrastSample.h"

#include "colour/ColorTexts.h"
#include "util/Canvas.h"
#include "util/win/Fonts.h"
#include "util/win/Handles.h"

void TContrastSample::Create(HWND parent, int id, const std::wstring& name, const Rect& bounds) {
    RegisterClassOnce(L"TContrastSample", nullptr, nullptr, 0);
    CreateChild(L"TContrastSample", name, 0, 0, bounds, parent, id);
}

void TContrastSample::SetBounds(const Rect& bounds) {
    PlaceAt(bounds);
}

void TContrastSample::SetColors(TColor foreground, TColor background) {
    if (foreground == m_foreground && background == m_background) return;
    m_foreground = foreground;
    m_background = background;
    if (Handle()) ::InvalidateRect(Handle(), nullptr, FALSE);
}

LRESULT TContrastSample::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_ERASEBKGND) return 1;
    return Default(msg, wParam, lParam);
}

void TContrastSample::PaintContent(HDC dc, const Rect&) {
    RECT client;
    ::GetClientRect(Handle(), &client);
    ::DrawEdge(dc, &client, BDR_SUNKENINNER, BF_RECT | BF_ADJUST);
    const UniqueHBrush brush(::CreateSolidBrush(CanvasColor(m_background)));
    ::FillRect(dc, &client, brush.Get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, CanvasColor(m_foreground));
    // Normal text in the window's font; the two sizes WCAG counts as large
    // text: 18 point, and 14 point bold.
    LOGFONTW normal = GetSysGuiFont(Dpi());
    LOGFONTW large = normal;
    large.lfHeight = -::MulDiv(18, static_cast<int>(Dpi()), 72);
    LOGFONTW bold = normal;
    bold.lfHeight = -::MulDiv(14, static_cast<int>(Dpi()), 72);
    bold.lfWeight = FW_BOLD;
    const int margin = Scale(6);
    RECT line = client;
    ::InflateRect(&line, -margin, -margin / 2);
    const struct {
        const LOGFONTW& Font;
        const wchar_t* Text;
    } lines[] = {{normal, ColorText::SampleNormal()},
                 {large, ColorText::SampleLarge()},
                 {bold, ColorText::SampleBold()}};
    for (const auto& l : lines) {
        const HGDIOBJ old = ::SelectObject(dc, CachedFont(l.Font));
        RECT measured = line;
        ::DrawTextW(dc, l.Text, -1, &measured, DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
        ::DrawTextW(dc, l.Text, -1, &line, DT_WORDBREAK | DT_NOPREFIX);
        line.top = measured.bottom + margin / 2;
        ::SelectObject(dc, old);
    }
}
