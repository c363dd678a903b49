// Windows take the system's message font.
#include "util/win/Fonts.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cwchar>

namespace {

struct Form {
    HWND form = nullptr;
    HWND edit = nullptr;
    HWND password = nullptr;
    HWND nestedLabel = nullptr;

    Form() {
        form = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr,
                                 nullptr, nullptr);
        edit = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 50, 20, form, nullptr, nullptr,
                                 nullptr);
        password = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | ES_PASSWORD, 0, 30, 50, 20, form,
                                     nullptr, nullptr, nullptr);
        HWND panel = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 60, 0, 100, 60, form, nullptr,
                                       nullptr, nullptr);
        nestedLabel = ::CreateWindowExW(0, L"STATIC", L"x", WS_CHILD, 0, 0, 50, 20, panel, nullptr,
                                        nullptr, nullptr);
    }
    ~Form() { ::DestroyWindow(form); }
};

HFONT FontOf(HWND wnd) {
    return reinterpret_cast<HFONT>(::SendMessageW(wnd, WM_GETFONT, 0, 0));
}

std::wstring FaceOf(HFONT font) {
    LOGFONTW lf{};
    ::GetObjectW(font, sizeof(lf), &lf);
    return lf.lfFaceName;
}

} // namespace

TEST(Fonts, SysGuiFontIsTheMessageFontScaledToTheDpi) {
    const LOGFONTW at96 = GetSysGuiFont(96);
    const LOGFONTW at192 = GetSysGuiFont(192);
    EXPECT_NE(at96.lfFaceName[0], L'\0');
    EXPECT_EQ(std::wcscmp(at96.lfFaceName, at192.lfFaceName), 0);
    EXPECT_NEAR(static_cast<double>(at192.lfHeight), 2.0 * at96.lfHeight, 1.0);
}

TEST(Fonts, FixSysGuiFontReachesEveryControlAndDotsPasswords) {
    Form f;
    FixSysGuiFont(f.form);
    const HFONT gui = CachedFont(GetSysGuiFont(WindowDpi(f.form)));
    EXPECT_EQ(FontOf(f.form), gui);
    EXPECT_EQ(FontOf(f.edit), gui);
    EXPECT_EQ(FontOf(f.nestedLabel), gui); // children of children too
    EXPECT_EQ(FaceOf(FontOf(f.password)), L"Wingdings");
    EXPECT_EQ(::SendMessageW(f.password, EM_GETPASSWORDCHAR, 0, 0), L'l');
}

TEST(Fonts, FontSetNameSizeCopiesOnlyNameAndSize) {
    LOGFONTW source{};
    source.lfHeight = -15;
    source.lfWeight = FW_BOLD;
    std::wcscpy(source.lfFaceName, L"Tahoma");
    LOGFONTW target{};
    target.lfWeight = FW_NORMAL;
    target.lfItalic = TRUE;
    FontSetNameSize(source, target);
    EXPECT_EQ(target.lfHeight, -15);
    EXPECT_EQ(std::wstring(target.lfFaceName), L"Tahoma");
    EXPECT_EQ(target.lfWeight, FW_NORMAL);
    EXPECT_TRUE(target.lfItalic);
}

TEST(Fonts, CachedFontGivesOneHandlePerFont) {
    LOGFONTW lf = GetSysGuiFont(96);
    EXPECT_EQ(CachedFont(lf), CachedFont(lf));
    lf.lfWeight = FW_BOLD;
    EXPECT_NE(CachedFont(lf), CachedFont(GetSysGuiFont(96)));
}
