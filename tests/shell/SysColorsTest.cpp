// System colours through the platform, and the edit background colour.
#include "util/win/SysColors.h"
#include "util/ColorText.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cwchar>

namespace {

std::wstring HexBGR(COLORREF value) {
    wchar_t text[16] = {};
    std::swprintf(text, 16, L"%06X", static_cast<unsigned>(value & 0xFFFFFF));
    return text;
}

TEST(SysColors, ButtonFaceIsTheSystemsCurrentColour) {
    InstallSysColorProvider();
    EXPECT_EQ(ColorToShortHexBGR(clBtnFace), HexBGR(::GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(ColorToShortHexBGR(clWindow), HexBGR(::GetSysColor(COLOR_WINDOW)));
    EXPECT_EQ(GetRealColor(static_cast<TColor>(0xFF000000 | COLOR_HIGHLIGHT)),
              static_cast<TColor>(::GetSysColor(COLOR_HIGHLIGHT)));
}

COLORREF BrushColour(HBRUSH brush) {
    LOGBRUSH info{};
    ::GetObjectW(brush, sizeof(info), &info);
    return info.lbColor;
}

class EditBackground : public ::testing::Test {
  protected:
    void SetUp() override {
        InstallSysColorProvider();
        m_parent = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr,
                                     nullptr, nullptr);
        m_edit = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, m_parent,
                                   nullptr, nullptr, nullptr);
        m_dc = ::GetDC(m_edit);
    }
    void TearDown() override {
        ::ReleaseDC(m_edit, m_dc);
        ::DestroyWindow(m_parent);
    }
    HWND m_parent = nullptr;
    HWND m_edit = nullptr;
    HDC m_dc = nullptr;
};

TEST_F(EditBackground, NoColourLeavesThePaintingToTheSystem) {
    EXPECT_EQ(EditBackgroundBrush(m_edit, m_dc), nullptr);
    EXPECT_EQ(EditBackgroundBrush(nullptr, m_dc), nullptr);
}

TEST_F(EditBackground, EnabledEditTakesTheWindowColour) {
    EnabledColor(m_edit);
    EXPECT_EQ(EditBackgroundBrush(m_edit, m_dc), ::GetSysColorBrush(COLOR_WINDOW));
    EXPECT_EQ(::GetBkColor(m_dc), ::GetSysColor(COLOR_WINDOW));
}

TEST_F(EditBackground, DisabledEditTakesTheButtonFace) {
    ::EnableWindow(m_edit, FALSE);
    EnabledColor(m_edit);
    EXPECT_EQ(EditBackgroundBrush(m_edit, m_dc), ::GetSysColorBrush(COLOR_BTNFACE));
    EXPECT_EQ(::GetBkColor(m_dc), ::GetSysColor(COLOR_BTNFACE));
}

// Black is stored as 0, the value a missing property also reads as.
TEST_F(EditBackground, BlackIsAColourNotAnAbsence) {
    SetEditBackgroundColor(m_edit, clBlack);
    const HBRUSH brush = EditBackgroundBrush(m_edit, m_dc);
    ASSERT_NE(brush, nullptr);
    EXPECT_EQ(BrushColour(brush), 0u);
    ClearEditBackgroundColor(m_edit);
    EXPECT_EQ(EditBackgroundBrush(m_edit, m_dc), nullptr);
}

TEST_F(EditBackground, SameColourSharesOneBrush) {
    SetEditBackgroundColor(m_edit, RGBColor(10, 20, 30));
    const HBRUSH first = EditBackgroundBrush(m_edit, m_dc);
    EXPECT_EQ(BrushColour(first), RGB(10, 20, 30));
    EXPECT_EQ(EditBackgroundBrush(m_edit, m_dc), first);
}

TEST_F(EditBackground, ManyColoursKeepTheBrushCountBounded) {
    const auto gdiObjects = [] { return ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS); };
    for (int i = 0; i < 64; ++i) { // fill the cache
        SetEditBackgroundColor(m_edit, RGBColor(i, 1, 2));
        EditBackgroundBrush(m_edit, m_dc);
    }
    const DWORD before = gdiObjects();
    for (int i = 0; i < 2000; ++i) {
        SetEditBackgroundColor(m_edit, RGBColor(i % 256, i / 256, 7));
        ASSERT_NE(EditBackgroundBrush(m_edit, m_dc), nullptr);
    }
    EXPECT_LE(gdiObjects(), before + 2);
}

} // namespace
