// The colour window "Farbauswahl" driven as a user would: opened by the
// ruler's key, menu item and tray icon; every colour form in its fields;
// typed, pasted and copied text; palette cells and the user palette; the
// screen colour shot over a pattern of known pixels; and what "Schließen",
// the other ways of closing and the ruler write to the settings file.
#include "Checks.h"
#include "ColorWindowDriver.h"
#include "DravikProcess.h"
#include "PaintedWindow.h"
#include "Screen.h"
#include "WindowDriver.h"

#include "colour/win/MVColorFormIds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kShotClass[] = L"TMVColorShotDlg";
constexpr wchar_t kPreviewClass[] = L"TMVColorShotPreview";
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

const std::wstring kRgbMessage =
    L"Die angegebene Farbe ist ungültig. Bitte im Format RRGGBB angeben.\r\nR=Rot, G=Grün, "
    L"B=Blau. Werte hexadezimal von 0-9 und A-F.";
const std::wstring kBgrMessage =
    L"Die angegebene Farbe ist ungültig. Bitte im Format BBGGRR angeben.\r\nR=Rot, G=Grün, "
    L"B=Blau. Werte hexadezimal von 0-9 und A-F.";
const std::wstring kDecMessage =
    L"Die angegebene Farbe ist ungültig. Bitte als Zahl zwischen 0 und 16777215 angeben.";

using Fields = FieldTexts;

const char* FieldName(int id) {
    static const std::pair<int, const char*> names[] = {{idRed, "Rot"},
                                                        {idGreen, "Grün"},
                                                        {idBlue, "Blau"},
                                                        {idH, "H"},
                                                        {idS, "S"},
                                                        {idL, "L"},
                                                        {idC, "C"},
                                                        {idM, "M"},
                                                        {idY, "Y"},
                                                        {idK, "K"},
                                                        {idColorRGB, "RGB"},
                                                        {idColorBGR, "BGR"},
                                                        {idColorDec, "Dezimal"}};
    for (const auto& [fieldId, name] : names)
        if (fieldId == id) return name;
    return "?";
}

// What the plain forms of a colour read: Rot, Grün, Blau, the hexadecimal
// RGB and BGR texts and the decimal value.
Fields ColourFields(COLORREF c) {
    return {
        {idRed, std::to_wstring(GetRValue(c))},
        {idGreen, std::to_wstring(GetGValue(c))},
        {idBlue, std::to_wstring(GetBValue(c))},
        {idColorRGB, RgbText(c)},
        {idColorBGR, BgrText(c)},
        {idColorDec, std::to_wstring(GetBValue(c) * 65536 + GetGValue(c) * 256 + GetRValue(c))}};
}

::testing::AssertionResult FieldsBecome(DravikProcess& dravik, HWND form, const Fields& expected) {
    return TextsBecome(dravik, form, expected, FieldName);
}

// The colour of a window's middle on the screen.
COLORREF Middle(HWND wnd) {
    const RECT r = Place(wnd);
    return ScreenPixel((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

COLORREF ClientPixel(HWND wnd, POINT at) {
    ::ClientToScreen(wnd, &at);
    return ScreenPixel(at.x, at.y);
}

// The window holds this colour: in its plain fields and in the "Neu" panel.
::testing::AssertionResult ShowsColour(DravikProcess& dravik, HWND form, COLORREF c) {
    if (auto fields = FieldsBecome(dravik, form, ColourFields(c)); !fields) return fields;
    HWND panel = Control(form, idColorNew);
    return PixelBecomes(
        dravik, "the \"Neu\" panel", [&] { return Middle(panel); }, c);
}

// The colour in Rot, Grün, Blau and "Neu", for while a text field holds
// what the user put there (it is rewritten only by the next change).
::testing::AssertionResult KeepsColour(DravikProcess& dravik, HWND form, COLORREF c) {
    const Fields all = ColourFields(c);
    if (auto fields = FieldsBecome(dravik, form, {all[0], all[1], all[2]}); !fields) return fields;
    HWND panel = Control(form, idColorNew);
    return PixelBecomes(
        dravik, "the \"Neu\" panel", [&] { return Middle(panel); }, c);
}

// The "Neu" panel shows this colour, for a click that chooses it.
std::function<bool()> NeuIs(HWND form, COLORREF c) {
    return [=] { return Middle(Control(form, idColorNew)) == c; };
}

std::function<bool()> Unticked(HWND box) {
    return [=] { return ::SendMessageW(box, BM_GETCHECK, 0, 0) == BST_UNCHECKED; };
}

std::function<bool()> PixelIs(HWND wnd, POINT client, COLORREF c) {
    return [=] { return ClientPixel(wnd, client) == c; };
}

// Clicks into a field and selects its whole text, as a user would before
// typing over it.
::testing::AssertionResult SelectField(DravikProcess& dravik, HWND form, int id) {
    if (auto selected = SelectText(dravik, Control(form, id)); !selected)
        return selected << " (" << FieldName(id) << ")";
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult TypeInto(DravikProcess& dravik, HWND form, int id,
                                    const std::wstring& text) {
    if (auto selected = SelectField(dravik, form, id); !selected) return selected;
    TypeText(text);
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult PasteInto(DravikProcess& dravik, HWND form, int id,
                                     const std::wstring& text) {
    if (!PutOnClipboard(text)) return ::testing::AssertionFailure() << "clipboard not set";
    if (auto selected = SelectField(dravik, form, id); !selected) return selected;
    PressKeyWith({VK_CONTROL}, 'V');
    return ::testing::AssertionSuccess();
}

// A window of the test's own, above everything, showing a pattern of known
// pixels at a known place: what a screen shot must take its colours from.
class Pattern {
  public:
    static constexpr int Left = 40, Top = 600, Width = 64, Height = 32;

    static COLORREF At(int x, int y) {
        return RGB((50 + 13 * x + 5 * y + x * y) % 256, (90 + 29 * y + 3 * x * x) % 256,
                   (7 * x * y + 11 * x + 3) % 256);
    }
    static POINT OnScreen(POINT p) { return {Left + p.x, Top + p.y}; }
    // Both corners included, each channel's sum divided down.
    static COLORREF Average(POINT a, POINT b) {
        long long r = 0, g = 0, bl = 0, n = 0;
        for (int y = std::min(a.y, b.y); y <= std::max(a.y, b.y); ++y)
            for (int x = std::min(a.x, b.x); x <= std::max(a.x, b.x); ++x, ++n) {
                r += GetRValue(At(x, y));
                g += GetGValue(At(x, y));
                bl += GetBValue(At(x, y));
            }
        return RGB(r / n, g / n, bl / n);
    }

    Pattern()
        : m_window({Left, Top, Left + Width, Top + Height}, [](HDC dc) {
              std::vector<DWORD> bits(static_cast<size_t>(Width * Height));
              for (int y = 0; y < Height; ++y)
                  for (int x = 0; x < Width; ++x) {
                      const COLORREF c = At(x, y);
                      bits[static_cast<size_t>(y * Width + x)] =
                          (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
                  }
              BITMAPINFO info{};
              info.bmiHeader = {
                  sizeof(BITMAPINFOHEADER), Width, -Height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
              ::SetDIBitsToDevice(dc, 0, 0, Width, Height, 0, 0, 0, Height, bits.data(), &info,
                                  DIB_RGB_COLORS);
          }) {}

    bool Shown() const {
        const std::vector<COLORREF> pixels = ScreenArea({Left, Top, Left + Width, Top + Height});
        for (int y = 0; y < Height; ++y)
            for (int x = 0; x < Width; ++x)
                if (pixels[static_cast<size_t>(y * Width + x)] != At(x, y)) return false;
        return true;
    }

  private:
    PaintedWindow m_window;
};

// "&Einfangen..." clicked; the shot window once it covers the screen.
HWND StartShot(DravikProcess& dravik, HWND form) {
    HWND shot = nullptr;
    EXPECT_TRUE(ClickUntil(
        dravik, Control(form, idColCapture),
        [&] { return (shot = dravik.ProgramWindow(kShotClass)) && ::IsWindowVisible(shot); }, {},
        3000));
    EXPECT_TRUE(StateBecomes(dravik, {{RulerState::ColorShot, L"1"}}));
    return shot;
}

RECT PreviewPlace(HWND shot) {
    return Place(::FindWindowExW(shot, nullptr, kPreviewClass, nullptr));
}

COLORREF PreviewColour(HWND shot) {
    const RECT r = PreviewPlace(shot);
    return ScreenPixel(r.left + 24, r.top + 24);
}

// The pointer over a pattern point of the shot, until the preview shows
// what a release there would pick. Wine can drop a move over a window that
// has just opened (its late enter event puts the old place back); the hand
// then moves on and comes back.
::testing::AssertionResult HoverShot(DravikProcess& dravik, HWND shot, POINT p, COLORREF picks) {
    const POINT at = Pattern::OnScreen(p);
    for (int attempt = 0; attempt < 5; ++attempt) {
        // Injected moves only: a set pointer's late echo from X could move
        // it back while the button is down.
        MoveMouseTo(at.x, at.y);
        if (dravik.WaitUntil([&] { return PreviewColour(shot) == picks; }, 500))
            return ::testing::AssertionSuccess();
        MoveMouseTo(at.x + 1, at.y + 1);
    }
    return ::testing::AssertionFailure()
           << "at " << p.x << "," << p.y << " the preview shows " << Hex6(PreviewColour(shot))
           << ", expected " << Hex6(picks);
}

// What a release at p picks after a press at start.
COLORREF Picks(POINT start, POINT p) {
    return start.x == p.x && start.y == p.y ? Pattern::At(p.x, p.y) : Pattern::Average(start, p);
}

// The button pressed at the first point and moved through the others; one
// point is a click. Each step waits for the preview to follow.
::testing::AssertionResult DragThrough(DravikProcess& dravik, HWND shot,
                                       const std::vector<POINT>& points) {
    const POINT start = points.front();
    // First beside the start: the preview shows the start's colour from the
    // beginning when the pointer rests there, without a move seen yet.
    const POINT beside{start.x + 1, start.y};
    if (auto hover = HoverShot(dravik, shot, beside, Pattern::At(beside.x, beside.y)); !hover)
        return hover;
    if (auto hover = HoverShot(dravik, shot, start, Pattern::At(start.x, start.y)); !hover)
        return hover;
    const POINT pressed = Pattern::OnScreen(start), released = Pattern::OnScreen(points.back());
    MouseEventAt(pressed.x, pressed.y, MOUSEEVENTF_LEFTDOWN);
    for (const POINT& p : points)
        if (auto hover = HoverShot(dravik, shot, p, Picks(start, p)); !hover) return hover;
    MouseEventAt(released.x, released.y, MOUSEEVENTF_LEFTUP);
    return ::testing::AssertionSuccess();
}

// After a shot: its window gone, and the ruler, the magnifier (when it was
// open) and the colour window back on the screen.
::testing::AssertionResult BackFromShot(DravikProcess& dravik, HWND form, bool magnifier) {
    if (auto state =
            StateBecomes(dravik, {{RulerState::ColorShot, L"0"}, {RulerState::Visible, L"1"}});
        !state)
        return state;
    if (!dravik.WaitUntil([&] { return ::IsWindowVisible(form) != FALSE; }))
        return ::testing::AssertionFailure() << "the colour window did not come back";
    if (magnifier && !ShownProgramWindow(dravik, L"TMagnifierDlg"))
        return ::testing::AssertionFailure() << "the magnifier did not come back";
    if (HWND shot = dravik.ProgramWindow(kShotClass); shot && ::IsWindowVisible(shot))
        return ::testing::AssertionFailure() << "the shot window is still shown";
    return ::testing::AssertionSuccess();
}

std::vector<std::wstring> KeysOf(const std::vector<IniEntry>& entries,
                                 const std::wstring& section) {
    std::vector<std::wstring> keys;
    for (const IniEntry& e : entries)
        if (e.Section == section) keys.push_back(e.Key + L"=" + e.Value);
    return keys;
}

class ColorWindow : public ::testing::Test {
  protected:
    void TearDown() override { KeepScreenshotIfFailed(); }
};

} // namespace

TEST_F(ColorWindow, KeyMenuAndTrayIconOpenOneWindowThatKeepsItsColour) {
    DravikProcess dravik(Quiet());
    EXPECT_TRUE(StateBecomes(dravik, {{RulerState::ColorWindow, L"0"}}));
    EXPECT_NE(dravik.Ask(L"item Farbeauswhlen1").find(L"Enabled=1"), std::wstring::npos)
        << "the menu item is off";
    HWND form = OpenByKey(dravik);
    ASSERT_NE(form, nullptr) << "key F opened no colour window";
    EXPECT_TRUE(StateBecomes(dravik, {{RulerState::ColorWindow, L"1"}}));
    EXPECT_EQ(Text(form), L"Farbauswahl");
    RECT client{};
    ::GetClientRect(form, &client);
    EXPECT_EQ(client.right, 845);
    EXPECT_EQ(client.bottom, 506);
    const RECT place = Place(form);
    EXPECT_NEAR((place.left + place.right) / 2, 640, 1) << "centred";

    // The ruler's window: one button "Schließen" where "Abbrechen" would be.
    HWND close = Control(form, IDOK), cancel = Control(form, IDCANCEL);
    EXPECT_EQ(Text(close), L"Schließen");
    EXPECT_TRUE(::IsWindowVisible(close));
    EXPECT_TRUE(!cancel || !::IsWindowVisible(cancel)) << "\"Abbrechen\" is shown";
    POINT at{0, 0};
    ::MapWindowPoints(close, form, &at, 1);
    EXPECT_EQ(at.x, 762);
    EXPECT_EQ(at.y, 473);
    EXPECT_EQ(Text(Control(form, idRGBText)), L"HTML (RGB)");
    HWND standard = Control(form, idDefColor);
    EXPECT_TRUE(!standard || !::IsWindowVisible(standard)) << "\"Standard\" without a default";
    HWND combo = Control(form, idPalName);
    std::vector<std::wstring> pages;
    for (int i = 0; i < static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0)); ++i) {
        wchar_t entry[64] = {};
        ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i),
                       reinterpret_cast<LPARAM>(entry));
        pages.push_back(entry);
    }
    const std::vector<std::wstring> expectedPages = {
        L"16,7 Mio. Farben", L"256 Farben",           L"Windows-Paletten",
        L"216 Webfarben",    L"Zusätzliche Paletten", L"Office",
        L"Benutzer-Palette", L"Benutzer-Bild",        L"Harmonische Farbwahl"};
    EXPECT_EQ(pages, expectedPages);
    EXPECT_EQ(Selection(combo), pgSpectrum);
    EXPECT_TRUE(ShowsColour(dravik, form, kBlack));

    const COLORREF colour = RGB(0x12, 0xAB, 0x34);
    ASSERT_TRUE(TypeInto(dravik, form, idColorRGB, L"12AB34"));
    PressKey(VK_TAB);
    EXPECT_TRUE(ShowsColour(dravik, form, colour));
    // The menu item while the window is open keeps that window and its colour.
    EXPECT_EQ(dravik.Ask(L"command Farbeauswhlen1"), L"ok");
    EXPECT_EQ(ShownProgramWindow(dravik, ColorFormClass), form);
    EXPECT_TRUE(ShowsColour(dravik, form, colour));

    // The close box hands the colour back to the ruler.
    ASSERT_TRUE(ClosedByItsBox(dravik, form));
    EXPECT_TRUE(StateBecomes(
        dravik, {{RulerState::ColorWindow, L"0"}, {RulerState::ColorDlgColor, BgrText(colour)}}));

    // The picker's tray icon opens it again, with that colour as "Aktuell".
    HWND again = nullptr;
    ASSERT_TRUE(ClickTrayIconUntil(dravik, true, [&] {
        return (again = ShownProgramWindow(dravik, ColorFormClass, 0)) != nullptr;
    }));
    ASSERT_NE(again, nullptr) << "the tray icon opened no colour window";
    EXPECT_TRUE(ShowsColour(dravik, again, colour));
    HWND old = Control(again, idColorOld);
    EXPECT_TRUE(PixelBecomes(
        dravik, "\"Aktuell\"", [&] { return Middle(old); }, colour));
}

TEST_F(ColorWindow, EveryFieldShowsEveryFormOfTheTypedColour) {
    const struct {
        const wchar_t* Typed;
        COLORREF Colour;
        const wchar_t *H, *S, *L, *C, *M, *Y, *K;
    } rows[] = {
        {L"336699", RGB(0x33, 0x66, 0x99), L"58", L"50", L"40", L"102", L"51", L"0", L"102"},
        {L"ff0000", RGB(0xFF, 0x00, 0x00), L"0", L"100", L"50", L"0", L"255", L"255", L"0"},
        {L"808080", RGB(0x80, 0x80, 0x80), L"0", L"0", L"50", L"0", L"0", L"0", L"127"},
        {L"00ff80", RGB(0x00, 0xFF, 0x80), L"42", L"100", L"50", L"255", L"0", L"127", L"0"},
        {L"a1b2c3", RGB(0xA1, 0xB2, 0xC3), L"58", L"22", L"70", L"34", L"17", L"0", L"60"},
        // Halves go to the even neighbour: S and H are 12.5 here.
        {L"483838", RGB(0x48, 0x38, 0x38), L"0", L"12", L"25", L"0", L"16", L"16", L"183"},
        {L"806000", RGB(0x80, 0x60, 0x00), L"12", L"100", L"25", L"0", L"32", L"128", L"127"},
    };
    DravikProcess dravik(Quiet());
    HWND form = OpenByKey(dravik);
    ASSERT_NE(form, nullptr);
    for (const auto& row : rows) {
        SCOPED_TRACE(Narrow(row.Typed));
        ASSERT_TRUE(TypeInto(dravik, form, idColorRGB, row.Typed));
        PressKey(VK_TAB);
        Fields expected = ColourFields(row.Colour);
        expected.insert(expected.end(), {{idH, row.H},
                                         {idS, row.S},
                                         {idL, row.L},
                                         {idC, row.C},
                                         {idM, row.M},
                                         {idY, row.Y},
                                         {idK, row.K}});
        EXPECT_TRUE(FieldsBecome(dravik, form, expected));
        EXPECT_TRUE(ShowsColour(dravik, form, row.Colour));
    }
}

TEST_F(ColorWindow, TypedAndPastedTextIsTakenMendedOrRefused) {
    DravikProcess dravik(Quiet());
    HWND form = OpenByKey(dravik);
    ASSERT_NE(form, nullptr);

    // A partly typed value grows from the left; the field keeps what was typed.
    ASSERT_TRUE(TypeInto(dravik, form, idColorRGB, L"AB"));
    EXPECT_TRUE(FieldsBecome(dravik, form,
                             {{idRed, L"171"},
                              {idGreen, L"0"},
                              {idBlue, L"0"},
                              {idColorBGR, L"0000AB"},
                              {idColorDec, L"171"},
                              {idColorRGB, L"AB"}}));
    PressKey(VK_TAB);
    EXPECT_TRUE(KeepsColour(dravik, form, RGB(0xAB, 0, 0)));
    // Left, it shows the full form of its colour.
    EXPECT_TRUE(FieldsBecome(dravik, form, {{idColorRGB, L"AB0000"}}));
    // The key filter drops what is not a hexadecimal digit.
    ASSERT_TRUE(TypeInto(dravik, form, idColorRGB, L"1g2"));
    EXPECT_TRUE(FieldsBecome(dravik, form, {{idColorRGB, L"12"}, {idRed, L"18"}}));
    PressKey(VK_TAB);

    // A copied "#RRGGBB" pastes back.
    const COLORREF pasted = RGB(0x12, 0x34, 0xEF);
    ASSERT_TRUE(PasteInto(dravik, form, idColorRGB, L"#1234EF"));
    EXPECT_TRUE(FieldsBecome(dravik, form, {{idColorBGR, L"EF3412"}}));
    PressKey(VK_TAB);
    EXPECT_TRUE(KeepsColour(dravik, form, pasted));
    // Copied again, it is the same text.
    ASSERT_TRUE(PutOnClipboard(L""));
    ASSERT_TRUE(ClickUntil(dravik, Control(form, idCopyRGB),
                           [&] { return ClipboardText() == L"#1234EF"; }));
    EXPECT_TRUE(ClipboardBecomes(dravik, L"#1234EF"));

    // Refused texts: the message, and the colour stays.
    const struct {
        int Field;
        const wchar_t* Text;
        const std::wstring& Message;
    } refused[] = {
        {idColorRGB, L"XYZ", kRgbMessage},
        {idColorBGR, L"12345G", kBgrMessage},
        {idColorDec, L"16777216", kDecMessage},
        {idColorDec, L"-5", kDecMessage},
    };
    for (const auto& row : refused) {
        SCOPED_TRACE(Narrow(row.Text));
        ASSERT_TRUE(PasteInto(dravik, form, row.Field, row.Text));
        EXPECT_EQ(AnswerMessageBox(dravik), row.Message);
        EXPECT_TRUE(KeepsColour(dravik, form, pasted));
    }

    // Rot beyond 255 is held at 255, and the field says so once left.
    ASSERT_TRUE(TypeInto(dravik, form, idRed, L"300"));
    PressKey(VK_TAB);
    EXPECT_TRUE(ShowsColour(dravik, form, RGB(0xFF, 0x34, 0xEF)));
    // A decimal value, typed digit by digit.
    ASSERT_TRUE(TypeInto(dravik, form, idColorDec, L"255"));
    PressKey(VK_TAB);
    EXPECT_TRUE(ShowsColour(dravik, form, RGB(0xFF, 0, 0)));
    // A hue typed with S 100 and L 50 left standing; the HSL fields are not
    // rewritten under the typing.
    ASSERT_TRUE(TypeInto(dravik, form, idH, L"33"));
    EXPECT_TRUE(FieldsBecome(dravik, form,
                             {{idColorBGR, L"00FF05"}, {idH, L"33"}, {idS, L"100"}, {idL, L"50"}}));
    PressKey(VK_TAB);
    EXPECT_TRUE(ShowsColour(dravik, form, RGB(0x05, 0xFF, 0)));
    // S beyond 100 is taken as 100: the colour stays (its own ceiling). The
    // tick of "mit #" is handled after the typing.
    ASSERT_TRUE(TypeInto(dravik, form, idS, L"150"));
    PressKey(VK_TAB);
    HWND hash = Control(form, idRGBwithNumSign);
    ASSERT_TRUE(ClickUntil(dravik, hash, Unticked(hash)));
    EXPECT_TRUE(KeepsColour(dravik, form, RGB(0x05, 0xFF, 0)));
    // K beyond 255 is held at 255: black, where its low 8 bits would give 00D300.
    ASSERT_TRUE(TypeInto(dravik, form, idK, L"300"));
    PressKey(VK_TAB);
    EXPECT_TRUE(ShowsColour(dravik, form, kBlack));
}

TEST_F(ColorWindow, CopyButtonsPutTheColourOnTheClipboardAndItPastesBack) {
    DravikProcess dravik(Quiet());
    HWND form = OpenByKey(dravik);
    ASSERT_NE(form, nullptr);
    const COLORREF red = RGB(0xFF, 0, 0);
    ASSERT_TRUE(TypeInto(dravik, form, idColorRGB, L"FF0000"));
    PressKey(VK_TAB);
    ASSERT_TRUE(ShowsColour(dravik, form, red));
    HWND hash = Control(form, idRGBwithNumSign);
    EXPECT_EQ(::SendMessageW(hash, BM_GETCHECK, 0, 0), BST_CHECKED) << "\"mit #\" starts ticked";
    const struct {
        int Button;
        const wchar_t* Copied;
    } rows[] = {{idCopyBGR, L"0000FF"}, {idCopyDec, L"255"}, {idCopyRGB, L"#FF0000"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(Narrow(row.Copied));
        ASSERT_TRUE(PutOnClipboard(L""));
        ASSERT_TRUE(ClickUntil(dravik, Control(form, row.Button),
                               [&] { return ClipboardText() == row.Copied; }));
        EXPECT_TRUE(ClipboardBecomes(dravik, row.Copied));
    }
    // What "mit #" copied (last) pastes back into the field.
    ASSERT_TRUE(TypeInto(dravik, form, idColorRGB, L"000000"));
    PressKey(VK_TAB);
    ASSERT_TRUE(ShowsColour(dravik, form, kBlack));
    ASSERT_TRUE(PasteInto(dravik, form, idColorRGB, ClipboardText()));
    PressKey(VK_TAB);
    EXPECT_TRUE(KeepsColour(dravik, form, red));

    // Without "#", and a partly typed value padded as the colour reads it.
    ASSERT_TRUE(ClickUntil(dravik, hash, Unticked(hash)));
    ASSERT_TRUE(PutOnClipboard(L""));
    ASSERT_TRUE(
        ClickUntil(dravik, Control(form, idCopyRGB), [&] { return ClipboardText() == L"FF0000"; }));
    EXPECT_TRUE(ClipboardBecomes(dravik, L"FF0000"));
    ASSERT_TRUE(TypeInto(dravik, form, idColorRGB, L"AB"));
    ASSERT_TRUE(FieldsBecome(dravik, form, {{idRed, L"171"}}));
    ASSERT_TRUE(
        ClickUntil(dravik, Control(form, idCopyRGB), [&] { return ClipboardText() == L"AB0000"; }));
    EXPECT_TRUE(ClipboardBecomes(dravik, L"AB0000"));
}

TEST_F(ColorWindow, PaletteCellsAndTheSpectrumGiveTheirColours) {
    const struct {
        Page OnPage;
        int Control;
        int Cell; // below 0: the point At of the spectrum
        POINT At;
        COLORREF Colour;
    } rows[] = {
        {pgSpectrum, idSpectrum, -1, {128, 0}, kWhite},
        {pgSpectrum, idSpectrum, -1, {5, 255}, kBlack},
        {pg256, idColorPal256, 5, {}, RGB(0x00, 0x00, 0xFF)},
        {pg256, idColorPal256, 100, {}, RGB(0x66, 0xCC, 0xCC)},
        {pg256, idColorPal256, 230, {}, RGB(0x5C, 0x5C, 0x5C)},
        {pgWindows, idColorPal8, 6, {}, RGB(0x00, 0xFF, 0xFF)},
        {pgWindows, idColorPal16, 8, {}, RGB(0xC0, 0xC0, 0xC0)},
        {pgWindows, idColorPalWin, 10, {}, RGB(0x80, 0xFF, 0x00)},
        {pgWeb, idColorPalWeb216, 7, {}, RGB(0x00, 0xCC, 0x66)},
        {pgWeb, idColorPalWeb216, 215, {}, RGB(0x00, 0xFF, 0xCC)},
        {pgMore, idColorPalWeb120, 13, {}, RGB(0xFF, 0xF8, 0xDC)},
        {pgMore, idColorPalCreme, 1, {}, RGB(0x38, 0x92, 0xCD)},
        {pgOffice, idColorPalWordVista, 3, {}, RGB(0x1F, 0x49, 0x7D)},
        {pgOffice, idColorPalWordVista, 59, {}, RGB(0x97, 0x48, 0x06)},
    };
    DravikProcess dravik(Quiet());
    HWND form = OpenByKey(dravik);
    ASSERT_NE(form, nullptr);
    HWND assign = Control(form, idSetUserColor);
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "page " << row.OnPage << ", cell " << row.Cell);
        ASSERT_TRUE(PageShown(dravik, form, row.OnPage));
        HWND control = Control(form, row.Control);
        ASSERT_TRUE(dravik.WaitUntil([&] { return ::IsWindowVisible(control) != FALSE; }));
        EXPECT_FALSE(::IsWindowEnabled(assign)) << "\"Zuweisen\" outside the user palette";
        const POINT at = row.Cell < 0 ? row.At : CellPoint(control, row.Cell);
        ASSERT_TRUE(ClickUntil(dravik, control, NeuIs(form, row.Colour), at));
        EXPECT_TRUE(ShowsColour(dravik, form, row.Colour));
        if (row.Cell < 0) continue;
        EXPECT_TRUE(PixelBecomes(
            dravik, "the cell", [&] { return ClientPixel(control, at); }, row.Colour));
        EXPECT_TRUE(PixelBecomes(
            dravik, "the cell's frame",
            [&] { return ClientPixel(control, CellPoint(control, row.Cell, true)); }, kWhite));
    }
    // A click on the gap between two cells chooses nothing.
    HWND office = Control(form, idColorPalWordVista);
    ASSERT_TRUE(ClickOn(office, POINT{4 * kPitchX + 1, kPitchY + 8}));
    HWND hash = Control(form, idRGBwithNumSign);
    ASSERT_TRUE(ClickUntil(dravik, hash, Unticked(hash))); // handled after the click
    EXPECT_TRUE(ShowsColour(dravik, form, RGB(0x97, 0x48, 0x06)));

    // A typed colour is framed in every palette that holds it.
    ASSERT_TRUE(PageShown(dravik, form, pgWindows));
    ASSERT_TRUE(TypeInto(dravik, form, idColorRGB, L"FF0000"));
    PressKey(VK_TAB);
    for (const auto& [control, cell] :
         {std::pair{idColorPal8, 1}, std::pair{idColorPal16, 9}, std::pair{idColorPalWin, 8}}) {
        HWND palette = Control(form, control);
        EXPECT_TRUE(PixelBecomes(
            dravik, "the frame of the red cell",
            [&] { return ClientPixel(palette, CellPoint(palette, cell, true)); }, kWhite))
            << "palette " << control;
    }

    // A pick on the brightness bar takes the colour the bar shows there and
    // leaves its gradient; the next change from elsewhere redraws it.
    HWND bright = Control(form, idBright);
    RECT bar{};
    ::GetClientRect(bright, &bar);
    const POINT pick{bar.right / 2, 40}, middle{2, bar.bottom / 2};
    const COLORREF shown = ClientPixel(bright, pick);
    ASSERT_TRUE(ClickUntil(dravik, bright, NeuIs(form, shown), pick));
    EXPECT_TRUE(ShowsColour(dravik, form, shown));
    EXPECT_EQ(Hex6(ClientPixel(bright, middle)), Hex6(RGB(0xFF, 0, 0))) << "the bar was redrawn";
    ASSERT_TRUE(TypeInto(dravik, form, idColorRGB, L"00FF00"));
    PressKey(VK_TAB);
    EXPECT_TRUE(PixelBecomes(
        dravik, "the bar's middle", [&] { return ClientPixel(bright, middle); }, RGB(0, 0xFF, 0)));
}

TEST_F(ColorWindow, ZuweisenFillsAUserCellAndSchliessenKeepsPagePaletteAndHash) {
    const COLORREF colour = RGB(0x12, 0x34, 0x56);
    TBytes written;
    {
        DravikProcess dravik(Quiet());
        HWND form = OpenByKey(dravik);
        ASSERT_NE(form, nullptr);
        HWND assign = Control(form, idSetUserColor);
        EXPECT_FALSE(::IsWindowEnabled(assign));
        ASSERT_TRUE(PageShown(dravik, form, pgUser));
        EXPECT_TRUE(dravik.WaitUntil([&] { return ::IsWindowEnabled(assign) != FALSE; }))
            << "\"Zuweisen\" on the user palette";
        HWND user = Control(form, idColorPalUser);
        EXPECT_EQ(Columns(user), 16);
        EXPECT_TRUE(PixelBecomes(
            dravik, "the last cell", [&] { return ClientPixel(user, CellPoint(user, 255)); },
            kWhite));
        ASSERT_TRUE(ClickUntil(dravik, user, NeuIs(form, kWhite), CellPoint(user, 3)));
        EXPECT_TRUE(ShowsColour(dravik, form, kWhite));
        ASSERT_TRUE(TypeInto(dravik, form, idColorRGB, L"123456"));
        PressKey(VK_TAB);
        ASSERT_TRUE(ShowsColour(dravik, form, colour));
        ASSERT_TRUE(ClickUntil(dravik, assign, PixelIs(user, CellPoint(user, 3), colour)));
        EXPECT_TRUE(PixelBecomes(
            dravik, "the assigned cell", [&] { return ClientPixel(user, CellPoint(user, 3)); },
            colour));
        HWND hash = Control(form, idRGBwithNumSign);
        ASSERT_TRUE(ClickUntil(dravik, hash, Unticked(hash)));

        ASSERT_TRUE(ClickUntil(dravik, Control(form, IDOK), [&] { return !::IsWindow(form); }));
        EXPECT_TRUE(StateBecomes(dravik, {{RulerState::ColorWindow, L"0"},
                                          {RulerState::ColorDlgColor, BgrText(colour)}}));
        const auto entries = ReadIni(dravik.SettingsFile());
        EXPECT_EQ(IniValue(entries, L"ColorPal", L"ActivePal"), L"6");
        EXPECT_EQ(IniValue(entries, L"ColorPal", L"RGBwithNumSign"), L"0");
        const std::vector<std::wstring> user256 = {L"count=256", L"3=563412"};
        EXPECT_EQ(KeysOf(entries, L"ColorPalUser"), user256);
        ASSERT_TRUE(dravik.Close());
        const auto atExit = ReadIni(dravik.SettingsFile());
        EXPECT_EQ(IniValue(atExit, L"Settings", L"Color"), L"563412");
        EXPECT_EQ(KeysOf(atExit, L"ColorPalUser"), user256) << "the ruler keeps the window's keys";
        written = ReadBytes(dravik.SettingsFile());
    }

    // Started again with that file: the window shows what it stored.
    DravikProcess dravik({.Settings = written});
    HWND form = OpenByKey(dravik);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(Selection(Control(form, idPalName)), pgUser);
    HWND user = Control(form, idColorPalUser);
    EXPECT_TRUE(::IsWindowVisible(user));
    EXPECT_TRUE(::IsWindowEnabled(Control(form, idSetUserColor)));
    EXPECT_EQ(::SendMessageW(Control(form, idRGBwithNumSign), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_TRUE(ShowsColour(dravik, form, colour));
    HWND old = Control(form, idColorOld);
    EXPECT_TRUE(PixelBecomes(
        dravik, "\"Aktuell\"", [&] { return Middle(old); }, colour));
    EXPECT_TRUE(PixelBecomes(
        dravik, "the stored cell", [&] { return ClientPixel(user, CellPoint(user, 3)); }, colour));
}

TEST_F(ColorWindow, CloseBoxAltF4AndEscHandTheColourBackAndStoreNothingElse) {
    const struct {
        const char* Way;
        const wchar_t* Typed;
        COLORREF Colour;
        void (*Close)(DravikProcess& dravik, HWND form);
    } ways[] = {
        {"close box", L"C80000", RGB(0xC8, 0, 0),
         [](DravikProcess& dravik, HWND form) { EXPECT_TRUE(ClosedByItsBox(dravik, form)); }},
        {"Alt+F4", L"00C800", RGB(0, 0xC8, 0),
         [](DravikProcess&, HWND) { PressKeyWith({VK_MENU}, VK_F4); }},
        {"Esc", L"0000C8", RGB(0, 0, 0xC8), [](DravikProcess&, HWND) { PressKey(VK_ESCAPE); }},
    };
    DravikProcess dravik(Quiet());
    COLORREF before = kBlack;
    for (const auto& way : ways) {
        SCOPED_TRACE(way.Way);
        HWND form = OpenByKey(dravik);
        ASSERT_NE(form, nullptr);
        // Nothing of the last time was stored: the first page, "mit #"
        // ticked, a white user palette; only the colour came back.
        HWND hash = Control(form, idRGBwithNumSign);
        EXPECT_EQ(Selection(Control(form, idPalName)), pgSpectrum);
        EXPECT_EQ(::SendMessageW(hash, BM_GETCHECK, 0, 0), BST_CHECKED);
        HWND old = Control(form, idColorOld);
        EXPECT_TRUE(PixelBecomes(
            dravik, "\"Aktuell\"", [&] { return Middle(old); }, before));
        ASSERT_TRUE(PageShown(dravik, form, pgUser));
        HWND user = Control(form, idColorPalUser);
        EXPECT_TRUE(PixelBecomes(
            dravik, "the first cell", [&] { return ClientPixel(user, CellPoint(user, 0)); },
            kWhite));

        ASSERT_TRUE(ClickUntil(dravik, user, NeuIs(form, kWhite), CellPoint(user, 0)));
        ASSERT_TRUE(TypeInto(dravik, form, idColorRGB, way.Typed));
        PressKey(VK_TAB);
        ASSERT_TRUE(ShowsColour(dravik, form, way.Colour));
        ASSERT_TRUE(ClickUntil(dravik, Control(form, idSetUserColor),
                               PixelIs(user, CellPoint(user, 0), way.Colour)));
        EXPECT_TRUE(PixelBecomes(
            dravik, "the assigned cell", [&] { return ClientPixel(user, CellPoint(user, 0)); },
            way.Colour));
        ASSERT_TRUE(ClickUntil(dravik, hash, Unticked(hash)));

        ASSERT_TRUE(FormFocused(dravik, form));
        way.Close(dravik, form);
        EXPECT_TRUE(StateBecomes(dravik, {{RulerState::ColorWindow, L"0"},
                                          {RulerState::ColorDlgColor, BgrText(way.Colour)}}));
        ASSERT_TRUE(dravik.Running()) << "the key closed the ruler";
        EXPECT_TRUE(KeysOf(ReadIni(dravik.SettingsFile()), L"ColorPal").empty());
        before = way.Colour;
    }
    ASSERT_TRUE(dravik.Close());
    const auto entries = ReadIni(dravik.SettingsFile());
    EXPECT_EQ(IniValue(entries, L"Settings", L"Color"), BgrText(before));
    EXPECT_TRUE(KeysOf(entries, L"ColorPal").empty());
    EXPECT_TRUE(KeysOf(entries, L"ColorPalUser").empty());
}

TEST_F(ColorWindow, ShotShowsTheScreenWithoutTheProgramAndItsPreviewDodgesThePointer) {
    Pattern pattern;
    DravikProcess dravik; // with the magnifier of a first start
    HWND magnifier = ShownProgramWindow(dravik, L"TMagnifierDlg");
    ASSERT_NE(magnifier, nullptr);
    HWND form = OpenByKey(dravik);
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(dravik.WaitUntil([&] { return pattern.Shown(); })) << "the pattern is covered";
    const COLORREF desktop = ScreenPixel(1200, 700);
    auto middleOf = [](HWND wnd) {
        const RECT r = Place(wnd);
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    };
    const POINT places[] = {middleOf(dravik.Ruler()), middleOf(magnifier), middleOf(form)};
    const RECT formPlace = Place(form);

    HWND shot = StartShot(dravik, form);
    ASSERT_NE(shot, nullptr) << "no shot window";
    EXPECT_FALSE(::IsWindowVisible(form));
    EXPECT_FALSE(::IsWindowVisible(dravik.Ruler()));
    EXPECT_FALSE(::IsWindowVisible(magnifier));
    const RECT covered = Place(shot);
    const RECT screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    EXPECT_TRUE(::EqualRect(&covered, &screen))
        << covered.left << "," << covered.top << " " << covered.right << "," << covered.bottom;
    EXPECT_TRUE(::GetWindowLongPtrW(shot, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(::GetAncestor(::WindowFromPoint(Pattern::OnScreen({10, 10})), GA_ROOT), shot)
        << "the shot window is not above everything";
    // The frozen screen: the desktop where the program's windows stood.
    for (const POINT& p : places)
        EXPECT_TRUE(PixelBecomes(
            dravik, "the frozen screen", [&] { return ScreenPixel(p.x, p.y); }, desktop))
            << "at " << p.x << "," << p.y;

    // The preview at the top-left shows what a click would pick, with the
    // black mark amid its magnified view.
    RECT preview = PreviewPlace(shot);
    EXPECT_EQ(preview.left, 0);
    EXPECT_EQ(preview.top, 0);
    EXPECT_EQ(preview.right - preview.left, 96);
    EXPECT_EQ(preview.bottom - preview.top, 49);
    for (const POINT p : {POINT{20, 5}, POINT{50, 25}})
        EXPECT_TRUE(HoverShot(dravik, shot, p, Pattern::At(p.x, p.y)));
    EXPECT_EQ(ScreenPixel(preview.left + 47 + 24, preview.top + 24), kBlack) << "the centre mark";
    // Reached, it jumps to the other top corner, and back.
    for (const LONG left : {screen.right - 96, LONG{0}}) {
        preview = PreviewPlace(shot);
        bool jumped = false;
        for (int attempt = 0; attempt < 3 && !jumped; ++attempt) { // a lost move is made again
            PointerTo(preview.left + 24, preview.top + 24 + attempt);
            jumped = dravik.WaitUntil([&] { return PreviewPlace(shot).left == left; }, 1000);
        }
        EXPECT_TRUE(jumped) << "expected left " << left << ", was " << PreviewPlace(shot).left;
    }

    // Esc cancels: the colour stays and everything comes back.
    ASSERT_TRUE(dravik.WaitUntil([&] { return ::GetForegroundWindow() == shot; }));
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(BackFromShot(dravik, form, true));
    const RECT back = Place(form);
    EXPECT_TRUE(::EqualRect(&back, &formPlace)) << "the colour window moved";
    EXPECT_TRUE(ShowsColour(dravik, form, kBlack));
}

TEST_F(ColorWindow, ShotPicksTheClickedPixelOrTheAverageOfTheDraggedRectangle) {
    const struct {
        const char* Name;
        std::vector<POINT> Path; // in the pattern; one point is a click
        COLORREF Colour;
    } rows[] = {
        {"a click", {{10, 10}}, Pattern::At(10, 10)},
        {"a drag", {{10, 10}, {11, 11}, {12, 11}}, Pattern::Average({10, 10}, {12, 11})},
        {"the other way", {{12, 11}, {10, 10}}, Pattern::Average({10, 10}, {12, 11})},
        {"back to the start", {{20, 5}, {25, 9}, {20, 5}}, Pattern::At(20, 5)},
        {"a wide drag", {{3, 20}, {40, 30}}, Pattern::Average({3, 20}, {40, 30})},
    };
    Pattern pattern;
    DravikProcess dravik(Quiet());
    HWND form = OpenByKey(dravik);
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(dravik.WaitUntil([&] { return pattern.Shown(); })) << "the pattern is covered";
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        HWND shot = StartShot(dravik, form);
        ASSERT_NE(shot, nullptr);
        EXPECT_TRUE(DragThrough(dravik, shot, row.Path));
        EXPECT_TRUE(BackFromShot(dravik, form, false));
        EXPECT_TRUE(ShowsColour(dravik, form, row.Colour));
    }
    // Esc while dragging: no colour taken.
    HWND shot = StartShot(dravik, form);
    ASSERT_NE(shot, nullptr);
    ASSERT_TRUE(HoverShot(dravik, shot, {30, 5}, Pattern::At(30, 5)));
    const POINT pressed = Pattern::OnScreen({30, 5});
    MouseEventAt(pressed.x, pressed.y, MOUSEEVENTF_LEFTDOWN);
    EXPECT_TRUE(HoverShot(dravik, shot, {40, 15}, Pattern::Average({30, 5}, {40, 15})));
    ASSERT_TRUE(dravik.WaitUntil([&] { return ::GetForegroundWindow() == shot; }));
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(BackFromShot(dravik, form, false));
    MouseButton(MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(ShowsColour(dravik, form, Pattern::Average({3, 20}, {40, 30})));
}

TEST_F(ColorWindow, HandEditedSettingsStartSafelyAndLoseNothing) {
    // No colour, a page that does not exist, a count no file could hold,
    // one cell naming no colour.
    DravikProcess dravik(Quiet(L"Color=zzz\r\n[ColorPal]\r\nActivePal=42\r\n"
                               L"[ColorPalUser]\r\ncount=2147483647\r\n5=0000FF\r\n7=zz"));
    // A loop over the stored count would never let the window open.
    HWND form = OpenByKey(dravik);
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(ShowsColour(dravik, form, kBlack));
    HWND old = Control(form, idColorOld);
    EXPECT_TRUE(PixelBecomes(
        dravik, "\"Aktuell\"", [&] { return Middle(old); }, kBlack));
    EXPECT_EQ(Selection(Control(form, idPalName)), pgSpectrum);
    EXPECT_TRUE(::IsWindowVisible(Control(form, idSpectrum)));

    ASSERT_TRUE(PageShown(dravik, form, pgUser));
    HWND user = Control(form, idColorPalUser);
    const COLORREF red = RGB(0xFF, 0, 0);
    EXPECT_TRUE(PixelBecomes(
        dravik, "cell 5", [&] { return ClientPixel(user, CellPoint(user, 5)); }, red));
    EXPECT_TRUE(PixelBecomes(
        dravik, "cell 255", [&] { return ClientPixel(user, CellPoint(user, 255)); }, kWhite));
    ASSERT_TRUE(ClickUntil(dravik, user, NeuIs(form, red), CellPoint(user, 5)));
    ASSERT_TRUE(ShowsColour(dravik, form, red));
    // The cell naming no colour takes no click.
    ASSERT_TRUE(ClickOn(user, CellPoint(user, 7)));
    HWND hash = Control(form, idRGBwithNumSign);
    ASSERT_TRUE(ClickUntil(dravik, hash, Unticked(hash))); // handled after the click on the cell
    EXPECT_TRUE(ShowsColour(dravik, form, red));

    // "Aktuell" (black) assigned to cell 2, then "Schließen".
    ASSERT_TRUE(ClickUntil(dravik, user, NeuIs(form, kWhite), CellPoint(user, 2)));
    ASSERT_TRUE(ShowsColour(dravik, form, kWhite));
    ASSERT_TRUE(ClickUntil(dravik, old, NeuIs(form, kBlack)));
    ASSERT_TRUE(ShowsColour(dravik, form, kBlack));
    ASSERT_TRUE(ClickUntil(dravik, Control(form, idSetUserColor),
                           PixelIs(user, CellPoint(user, 2), kBlack)));
    EXPECT_TRUE(PixelBecomes(
        dravik, "cell 2", [&] { return ClientPixel(user, CellPoint(user, 2)); }, kBlack));
    ASSERT_TRUE(ClickUntil(dravik, Control(form, IDOK), [&] { return !::IsWindow(form); }));
    EXPECT_TRUE(StateBecomes(
        dravik, {{RulerState::ColorWindow, L"0"}, {RulerState::ColorDlgColor, L"000000"}}));
    ASSERT_TRUE(dravik.Close());
    const auto entries = ReadIni(dravik.SettingsFile());
    EXPECT_EQ(IniValue(entries, L"ColorPal", L"ActivePal"), L"6");
    EXPECT_EQ(IniValue(entries, L"ColorPal", L"RGBwithNumSign"), L"0");
    EXPECT_EQ(IniValue(entries, L"ColorPalUser", L"count"), L"256");
    EXPECT_EQ(IniValue(entries, L"ColorPalUser", L"2"), L"000000");
    EXPECT_EQ(IniValue(entries, L"ColorPalUser", L"5"), L"0000FF");
    EXPECT_EQ(IniValue(entries, L"Settings", L"Color"), L"000000");
}
