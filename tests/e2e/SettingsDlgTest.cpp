// The settings dialog "Einstellungen" driven as a user would: opened from
// the ruler's menu, its captions and fields, the colour popups, the
// calibration, the hot-key fields and the move step; what OK applies to the
// ruler's face, scale and hotkeys and writes at once, what Cancel and Esc
// leave alone, and the input it refuses.
#include "Checks.h"
#include "DravikProcess.h"
#include "Screen.h"
#include "WindowDriver.h"

#include "colour/win/MVColorFormIds.h"
#include "ruler/win/RulerCommands.h"
#include "settings/ColorPopup.h"
#include "settings/win/SettingsDlgIds.h"
#include "util/win/Fonts.h"
#include "util/win/GdiCanvas.h"
#include "util/win/Handles.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr wchar_t kPopupClass[] = L"TColorPopup";
// The copies start without the magnifier (it would stand over the dialog),
// with a move step of 7 and Ctrl+Alt+Up moving the ruler up.
const std::wstring kSettings = L"Magnifier=0\r\nMoveHotKeyMoveBy=7\r\nMoveHotKeyUp=49190";

// German number separators in the prefix for the test's time: the dialog
// shows and reads lengths with the user's decimal separator.
class GermanNumbers {
  public:
    GermanNumbers() {
        ::RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\International", 0, nullptr, 0,
                          KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &m_key, nullptr);
        for (auto& [name, old, german] : m_values) {
            wchar_t text[16] = {};
            DWORD size = sizeof(text);
            if (::RegQueryValueExW(m_key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(text),
                                   &size) == ERROR_SUCCESS)
                old = text;
            Set(name, german);
        }
    }
    ~GermanNumbers() {
        for (const auto& [name, old, german] : m_values)
            if (old) Set(name, *old);
        ::RegCloseKey(m_key);
    }
    GermanNumbers(const GermanNumbers&) = delete;
    GermanNumbers& operator=(const GermanNumbers&) = delete;

  private:
    void Set(const wchar_t* name, const std::wstring& value) {
        ::RegSetValueExW(m_key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                         static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }
    struct Value {
        const wchar_t* Name;
        std::optional<std::wstring> Old;
        std::wstring German;
    };
    HKEY m_key = nullptr;
    Value m_values[2] = {{L"sDecimal", {}, L","}, {L"sThousand", {}, L"."}};
};

// A combination this process holds while it lives, as another program would.
class HeldHotkey {
  public:
    HeldHotkey(UINT modifiers, UINT key) : m_held(::RegisterHotKey(nullptr, kId, modifiers, key)) {}
    ~HeldHotkey() {
        if (m_held) ::UnregisterHotKey(nullptr, kId);
    }
    HeldHotkey(const HeldHotkey&) = delete;
    HeldHotkey& operator=(const HeldHotkey&) = delete;
    bool Held() const { return m_held; }

  private:
    static constexpr int kId = 0x7A02;
    bool m_held;
};

// Every window below the dialog, with its caption as shown (no '&').
std::vector<std::pair<HWND, std::wstring>> Captions(HWND dlg) {
    std::vector<std::pair<HWND, std::wstring>> captions;
    ::EnumChildWindows(
        dlg,
        [](HWND wnd, LPARAM param) -> BOOL {
            auto* list = reinterpret_cast<std::vector<std::pair<HWND, std::wstring>>*>(param);
            list->emplace_back(wnd, StripAccelerator(Text(wnd)));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&captions));
    return captions;
}

HWND Labelled(HWND dlg, const std::wstring& caption) {
    for (const auto& [wnd, text] : Captions(dlg))
        if (text == caption && (ClassOf(wnd) == L"Static" || ClassOf(wnd) == L"Button")) return wnd;
    return nullptr;
}

// The field a label stands for: the next window in the tab order.
HWND FieldOf(HWND dlg, const std::wstring& label) {
    HWND caption = Labelled(dlg, label);
    return caption ? ::GetWindow(caption, GW_HWNDNEXT) : nullptr;
}

const wchar_t* const kColourLabels[] = {L"Hintergrund", L"Skala", L"Mauspositionsline",
                                        L"Mausposition Zahl", L"Mausposition Hintergrund"};
const wchar_t kMoveUp[] = L"Lineal nach oben verschieben";
const wchar_t kMoveDown[] = L"Lineal nach unten verschieben";
const wchar_t kMoveLeft[] = L"Lineal nach links verschieben";
const wchar_t kMoveRight[] = L"Lineal nach rechts verschieben";
const wchar_t kMoveBy[] = L"Lineal verschieben um";
const wchar_t kMeasureStart[] = L"Strecke messen: Startpunkt setzen";
const wchar_t kLength[] = L"Länge des schwarzen Balkens ";
const wchar_t kStep[] = L"Änderung mit +/- Taste um";
const wchar_t kAuto[] = L"Automatisch (eventuell ungenau)";
const wchar_t kOwn[] = L"Eigenen Wert verwenden:";

// A hot-key field's combination: the key and Shift, Ctrl and Alt
// (HOTKEYF_*); the extended-key flag does not count.
struct Combination {
    BYTE Key = 0;
    BYTE Modifiers = 0;
    friend bool operator==(const Combination&, const Combination&) = default;
};
std::ostream& operator<<(std::ostream& out, const Combination& c) {
    return out << "key 0x" << std::hex << int{c.Key} << " modifiers " << int{c.Modifiers}
               << std::dec;
}
Combination HotKeyOf(HWND field) {
    const auto value = static_cast<WORD>(::SendMessageW(field, HKM_GETHOTKEY, 0, 0));
    return {LOBYTE(value),
            static_cast<BYTE>(HIBYTE(value) & (HOTKEYF_SHIFT | HOTKEYF_CONTROL | HOTKEYF_ALT))};
}

// The middle of a colour button's swatch: left of its "..." button.
POINT SwatchPoint(HWND button) {
    const RECT whole = Place(button);
    const RECT side = Place(::FindWindowExW(button, nullptr, L"Button", nullptr));
    return {(whole.left + side.left) / 2, (whole.top + whole.bottom) / 2};
}
COLORREF Swatch(HWND button) {
    const POINT at = SwatchPoint(button);
    return ScreenPixel(at.x, at.y);
}

::testing::AssertionResult SwatchesBecome(DravikProcess& dravik, HWND dlg,
                                          const std::vector<COLORREF>& colours) {
    for (size_t i = 0; i < colours.size(); ++i) {
        HWND button = FieldOf(dlg, kColourLabels[i]);
        if (auto shown = PixelBecomes(
                dravik, Narrow(kColourLabels[i]).c_str(), [&] { return Swatch(button); },
                colours[i]);
            !shown)
            return shown;
    }
    return ::testing::AssertionSuccess();
}

// Colours of the ruler's own, in the order of the colour buttons, as
// [Colors] lines (BBGGRR texts) and as shown.
const std::pair<const wchar_t*, COLORREF> kOwnColours[] = {
    {L"Back=FF6633", RGB(0x33, 0x66, 0xFF)},
    {L"Ticks=004080", RGB(0x80, 0x40, 0x00)},
    {L"MouseLine=00C000", RGB(0x00, 0xC0, 0x00)},
    {L"MousePosText=804000", RGB(0, 0x40, 0x80)},
    {L"MousePosBack=99FFFF", RGB(0xFF, 0xFF, 0x99)}};
std::wstring OwnColourLines() {
    std::wstring lines = L"\r\n[Colors]";
    for (const auto& [line, shown] : kOwnColours)
        lines += L"\r\n" + std::wstring(line);
    return lines;
}
std::vector<COLORREF> OwnColours() {
    std::vector<COLORREF> colours;
    for (const auto& [line, shown] : kOwnColours)
        colours.push_back(shown);
    return colours;
}
const std::vector<COLORREF> kDefaultColours = {RGB(192, 192, 192), RGB(0, 0, 0), RGB(255, 0, 0),
                                               RGB(154, 31, 4), RGB(162, 205, 32)};

// The dialog once it is shown and has the keyboard.
HWND ShownDialog(DravikProcess& dravik) {
    HWND dlg = ShownProgramWindow(dravik, SettingsDlgClass);
    if (dlg) dravik.WaitUntil([&] { return ::GetForegroundWindow() == dlg; });
    return dlg;
}

// "Einstellungen..." run as a click on the item would, without waiting for
// the modal dialog to end (a command through the channel would).
HWND OpenSettings(DravikProcess& dravik) {
    ::PostMessageW(dravik.Ruler(), WM_COMMAND, MAKEWPARAM(idSettings, 0), 0);
    return ShownDialog(dravik);
}

// The band of the menu's highlighted item: its top and bottom on the screen.
std::optional<std::pair<int, int>> HighlightedItem(HWND menu) {
    const RECT r = Place(menu);
    const int x = (r.right - r.left) / 2;
    const std::vector<COLORREF> column = ScreenArea({r.left + x, r.top, r.left + x + 1, r.bottom});
    const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    std::optional<std::pair<int, int>> band;
    for (int y = 0; y < static_cast<int>(column.size()); ++y)
        if (column[static_cast<size_t>(y)] == highlight) {
            if (!band) band = std::pair{r.top + y, r.top + y};
            band->second = r.top + y;
        }
    return band;
}

// Right-click on the ruler, then the arrow keys down to "Einstellungen...",
// chosen with Enter or by a click on the highlighted item.
// How the user gets to "Einstellungen...": the menu by a right click, then
// the arrow keys and Enter or a click on the item; or the keyboard alone
// (Shift+F10 on the ruler, the arrow keys, Enter).
enum class MenuWay { RightClickThenKeys, RightClickThenClick, KeysOnly };

HWND OpenSettingsFromMenu(DravikProcess& dravik, MenuWay way) {
    const auto state = dravik.State();
    if (way == MenuWay::KeysOnly) {
        if (!Focused(dravik)) return nullptr;
        PressKeyWith({VK_SHIFT}, VK_F10);
    } else {
        RightClickAt(std::stoi(state[RulerState::ClientLeft]) + 100,
                     std::stoi(state[RulerState::ClientTop]) + 24);
    }
    HWND menu = nullptr;
    if (!dravik.WaitUntil([&] { return (menu = OpenMenu(dravik)) != nullptr; })) {
        ADD_FAILURE() << "no menu";
        return nullptr;
    }
    if (way == MenuWay::KeysOnly) {
        RECT overlap{};
        const RECT menuPlace = Place(menu), ruler = Place(dravik.Ruler());
        EXPECT_FALSE(::IntersectRect(&overlap, &menuPlace, &ruler)) << "the menu covers the ruler";
    }
    // Items above it, separators aside: each Down moves one item on.
    int presses = 1;
    std::wistringstream lines(dravik.Ask(L"menu"));
    for (std::wstring line;
         std::getline(lines, line) && line.find(L"Einstellungen...") == line.npos;)
        presses += line != L"-";
    int top = -1;
    for (int i = 0; i < presses; ++i) {
        PressKey(VK_DOWN);
        const bool moved = dravik.WaitUntil([&] {
            const auto band = HighlightedItem(menu);
            return band && band->first > top;
        });
        if (!moved) {
            ADD_FAILURE() << "the highlight did not move down at press " << i + 1;
            return nullptr;
        }
        top = HighlightedItem(menu)->first;
    }
    if (way == MenuWay::RightClickThenClick) {
        const auto band = HighlightedItem(menu);
        const RECT r = Place(menu);
        EXPECT_TRUE(ClickWithin(menu, {(r.left + r.right) / 2, (band->first + band->second) / 2}));
    } else {
        PressKey(VK_RETURN);
    }
    return ShownDialog(dravik);
}

// OK clicked (again when a click was lost) until the dialog closes or a
// message box shows.
::testing::AssertionResult ClickOk(DravikProcess& dravik, HWND dlg) {
    HWND ok = Control(dlg, idSettingsOK);
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (auto clicked = ClickOn(ok); !clicked) return clicked;
        if (dravik.WaitUntil([&] { return !::IsWindow(dlg) || dravik.WaitForMessageBox(0) != L""; },
                             1000))
            return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "three clicks on OK had no effect";
}

::testing::AssertionResult Closed(DravikProcess& dravik, HWND dlg) {
    if (dravik.WaitUntil([&] { return !::IsWindow(dlg); })) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the dialog is still open";
}

// Typed over a field's text; again when Wine lost the keys (a window that
// has just come back to the foreground may not have them yet).
::testing::AssertionResult TypeInto(DravikProcess& dravik, HWND field, const std::wstring& text) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (auto selected = SelectText(dravik, field); !selected) return selected;
        if (text.empty()) PressKey(VK_DELETE);
        TypeText(text);
        if (dravik.WaitUntil([&] { return Text(field) == text; }, 1000))
            return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "the field shows \"" << Narrow(Text(field)) << "\", typed \"" << Narrow(text) << "\"";
}

// A combination typed into a hot-key field that has the focus.
::testing::AssertionResult PressInto(DravikProcess& dravik, HWND field,
                                     std::initializer_list<WORD> modifiers, WORD key) {
    if (auto focused = ClickUntil(dravik, field, [&] { return FocusOf(field) == field; }); !focused)
        return focused << " (the hot-key field did not take the focus)";
    PressKeyWith(modifiers, key);
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult HotKeyBecomes(DravikProcess& dravik, HWND field, Combination expected) {
    if (dravik.WaitUntil([&] { return HotKeyOf(field) == expected; }))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "the field holds " << HotKeyOf(field) << ", expected " << expected;
}

::testing::AssertionResult Chosen(DravikProcess& dravik, HWND radio) {
    return ClickUntil(dravik, radio,
                      [&] { return ::SendMessageW(radio, BM_GETCHECK, 0, 0) == BST_CHECKED; });
}

// The ruler's client area on the screen, with the pointer off its columns
// (the cursor line follows the pointer's column wherever it is).
std::vector<COLORREF> RulerFace(DravikProcess& dravik) {
    // Wine can lose a move now and then; the hand moves again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        PointerTo(5, 700 + attempt);
        if (dravik.WaitUntil([&] { return dravik.StateInt(RulerState::ActX) == 5; }, 1000)) break;
    }
    RECT r{};
    ::GetClientRect(dravik.Ruler(), &r);
    ::MapWindowPoints(dravik.Ruler(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    return ScreenArea(r);
}

// The face once the ruler has painted it: the same twice in a row. A busy
// machine may show the ruler a moment before its first paint.
std::vector<COLORREF> SettledRulerFace(DravikProcess& dravik) {
    std::vector<COLORREF> last;
    dravik.WaitUntil([&] {
        dravik.Sync();
        std::vector<COLORREF> now = RulerFace(dravik);
        const bool same = now == last;
        last = std::move(now);
        return same;
    });
    return last;
}

int ClientWidth(DravikProcess& dravik) {
    RECT r{};
    ::GetClientRect(dravik.Ruler(), &r);
    return r.right;
}

bool IsDark(COLORREF c) {
    return GetRValue(c) < 80 && GetGValue(c) < 80 && GetBValue(c) < 80;
}

// The columns of the large ticks along the top edge (12 pixels long).
std::vector<int> LargeTopTicks(DravikProcess& dravik) {
    const std::vector<COLORREF> face = RulerFace(dravik);
    const int w = ClientWidth(dravik);
    auto at = [&](int x, int y) { return face[static_cast<size_t>(y * w + x)]; };
    std::vector<int> ticks;
    for (int x = 1; x < w - 1; ++x) {
        int n = 1; // the frame row
        while (n < 20 && IsDark(at(x, n)))
            ++n;
        if (n == 12) ticks.push_back(x);
    }
    return ticks;
}

// The ticks once they have the spacing the conversion asks for: the scale
// is drawn again asynchronously after OK.
::testing::AssertionResult TicksBecome(DravikProcess& dravik,
                                       const std::function<bool(const std::vector<int>&)>& good,
                                       std::vector<int>& ticks) {
    if (dravik.WaitUntil([&] { return good(ticks = LargeTopTicks(dravik)); }))
        return ::testing::AssertionSuccess();
    auto failure = ::testing::AssertionFailure() << "large ticks at";
    for (int x : ticks)
        failure << " " << x;
    return failure;
}

// ColorBrightness of the face's gradient, for one channel.
int Brighter(int channel, int amount) {
    return std::clamp(channel + amount, 0, 255);
}

// A face pixel with no mark on it: row y of the gradient from the
// background 45 brighter at the top to the background at the bottom.
bool FaceShows(COLORREF pixel, COLORREF back, int y, int height) {
    const int amount = 45 * (height - 1 - y) / (height - 1);
    auto matches = [&](int seen, int channel) {
        return std::abs(seen - Brighter(channel, amount)) <= 4;
    };
    return matches(GetRValue(pixel), GetRValue(back)) &&
           matches(GetGValue(pixel), GetGValue(back)) && matches(GetBValue(pixel), GetBValue(back));
}

// The middle of a standard colour's cell in the popup (client pixels).
std::optional<POINT> FindCell(HWND popup, COLORREF colour) {
    const RECT r = Place(popup);
    const std::vector<COLORREF> pixels = ScreenArea(r);
    const int w = r.right - r.left;
    RECT cell{w, r.bottom, -1, -1};
    for (size_t i = 0; i < pixels.size(); ++i)
        if (pixels[i] == colour) {
            const int x = static_cast<int>(i) % w, y = static_cast<int>(i) / w;
            cell = {std::min<LONG>(cell.left, x), std::min<LONG>(cell.top, y),
                    std::max<LONG>(cell.right, x), std::max<LONG>(cell.bottom, y)};
        }
    if (cell.right < 0) return std::nullopt;
    return POINT{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
}

// A colour comb: one whose 5 x 5 middle is of one saturated colour that
// shows nowhere among the cells above the combs. Its middle and colour.
std::optional<std::pair<POINT, COLORREF>> FindComb(HWND popup) {
    const RECT r = Place(popup);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const std::vector<COLORREF> pixels = ScreenArea(r);
    auto at = [&](int x, int y) { return pixels[static_cast<size_t>(y * w + x)]; };
    const int combsTop = h * 45 / 100;
    const std::set<COLORREF> above(pixels.begin(), pixels.begin() + combsTop * w);
    for (int y = combsTop + 2; y < h - 2; ++y)
        for (int x = 2; x < w - 2; ++x) {
            const COLORREF c = at(x, y);
            const int hi = std::max({GetRValue(c), GetGValue(c), GetBValue(c)});
            const int lo = std::min({GetRValue(c), GetGValue(c), GetBValue(c)});
            if (hi - lo < 100 || above.count(c)) continue;
            bool uniform = true;
            for (int dy = -2; dy <= 2 && uniform; ++dy)
                for (int dx = -2; dx <= 2 && uniform; ++dx)
                    uniform = at(x + dx, y + dy) == c;
            if (uniform) return std::pair{POINT{x, y}, c};
        }
    return std::nullopt;
}

// The popup of a colour button, opened by its "..." button or its swatch.
HWND OpenPopup(DravikProcess& dravik, HWND button, bool bySideButton) {
    HWND popup = nullptr;
    auto shown = [&] {
        popup = dravik.ProgramWindow(kPopupClass);
        return popup && ::IsWindowVisible(popup);
    };
    POINT swatch = SwatchPoint(button);
    ::ScreenToClient(button, &swatch);
    const bool opened =
        bySideButton
            ? ClickUntil(dravik, ::FindWindowExW(button, nullptr, L"Button", nullptr), shown)
            : ClickUntil(dravik, button, shown, swatch);
    return opened ? popup : nullptr;
}

// The middle of the popup's "Weitere..." (client pixels), laid out as the
// popup lays itself out for the dialog's buttons: "Standard" above the
// cells, no system colours.
POINT MoreColoursPoint(HWND popup) {
    TColorPopup model;
    model.DefaultText = L"Standard";
    model.CustomText = L"Weitere...";
    model.ShowSysColors = false;
    model.HasCustomClick = true;
    const UINT dpi = WindowDpi(popup);
    WindowDC screen(nullptr);
    GdiCanvas canvas(screen.Get(), CachedFont(GetSysGuiFont(dpi)), nullptr);
    model.AdjustWindow(canvas, ::GetSystemMetricsForDpi(SM_CXEDGE, dpi), static_cast<int>(dpi));
    const Rect r = model.CustomTextRect();
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

// Where the popup shows what find looks for, and that colour.
using PopupFind = std::function<std::optional<std::pair<POINT, COLORREF>>(HWND popup)>;

// A colour chosen in a button's popup by a click on what find shows, and
// the swatch showing it. Wine now and then loses the click or gives it
// another place (the popup then closes as on a click outside): the user
// opens the popup again and clicks once more.
::testing::AssertionResult ChooseInPopup(DravikProcess& dravik, HWND button, bool bySideButton,
                                         const PopupFind& find, COLORREF& chosen) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        HWND popup = OpenPopup(dravik, button, bySideButton);
        if (!popup) return ::testing::AssertionFailure() << "no popup opened";
        std::optional<std::pair<POINT, COLORREF>> found;
        if (!dravik.WaitUntil([&] { return (found = find(popup)).has_value(); })) {
            // Under Wine the popup now and then stands on top yet the screen
            // shows the dialog below it; a user closes it and opens it again.
            PressKey(VK_ESCAPE);
            dravik.WaitUntil([&] { return !::IsWindowVisible(popup); });
            continue;
        }
        if (!ClickOn(popup, found->first) ||
            !dravik.WaitUntil([&] { return !::IsWindowVisible(popup); }, 1000))
            PressKey(VK_ESCAPE);
        dravik.WaitUntil([&] { return !::IsWindowVisible(popup); });
        if (dravik.WaitUntil([&] { return Swatch(button) == found->second; }, 1000)) {
            chosen = found->second;
            return ::testing::AssertionSuccess();
        }
    }
    return ::testing::AssertionFailure()
           << "three openings did not show the colour or did not reach the swatch";
}

PopupFind Cell(COLORREF colour) {
    return [colour](HWND popup) -> std::optional<std::pair<POINT, COLORREF>> {
        if (const auto at = FindCell(popup, colour)) return std::pair{*at, colour};
        return std::nullopt;
    };
}

// "Standard..." clicked and its question answered with Yes or No.
::testing::AssertionResult ResetColours(DravikProcess& dravik, HWND dlg, int answer) {
    if (auto clicked = ClickUntil(dravik, Control(dlg, idResetColors),
                                  [&] { return dravik.WaitForMessageBox(0) != L""; });
        !clicked)
        return clicked << " (\"Standard...\" asked nothing)";
    HWND box = nullptr;
    const std::wstring question = dravik.WaitForMessageBox(3000, &box);
    if (question != L"Alle Farben auf die Standardfarben zurücksetzen?")
        return ::testing::AssertionFailure() << "asked \"" << Narrow(question) << "\"";
    if (Text(box) != Text(dravik.Ruler()))
        return ::testing::AssertionFailure()
               << "the box's caption is \"" << Narrow(Text(box)) << "\"";
    if (!Control(box, IDYES) || !Control(box, IDNO))
        return ::testing::AssertionFailure() << "the box has no Yes and No";
    return ClickUntil(dravik, Control(box, answer), [&] { return !::IsWindow(box); });
}

// The settings file's bytes stay as they were for a moment of polling.
::testing::AssertionResult FileKept(DravikProcess& dravik, const TBytes& before) {
    if (ReadBytes(dravik.SettingsFile()) == before) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the settings file was written";
}

class SettingsDlg : public ::testing::Test {
  protected:
    // A copy with these lines below [Settings]; it runs until the screenshot
    // of a failure is taken.
    DravikProcess& Start(const std::wstring& lines) {
        m_dravik = std::make_unique<DravikProcess>(DravikOptions{.Settings = SettingsFile(lines)});
        return *m_dravik;
    }
    void TearDown() override {
        KeepScreenshotIfFailed();
        m_dravik.reset();
    }

  private:
    GermanNumbers m_german;
    std::unique_ptr<DravikProcess> m_dravik;
};

} // namespace

TEST_F(SettingsDlg, MenuOpensItCentredWithEveryCaptionAndTheRulersValues) {
    DravikProcess& dravik = Start(kSettings + OwnColourLines());
    ASSERT_TRUE(StateBecomes(dravik, {{RulerState::TopMost, L"1"}}));

    HWND dlg = OpenSettingsFromMenu(dravik, MenuWay::RightClickThenKeys);
    ASSERT_NE(dlg, nullptr) << "Down and Enter on \"Einstellungen...\" opened no dialog";
    EXPECT_EQ(Text(dlg), L"Einstellungen");
    EXPECT_EQ(::GetWindow(dlg, GW_OWNER), dravik.Ruler());
    const RECT place = Place(dlg);
    EXPECT_NEAR((place.left + place.right) / 2, ::GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((place.top + place.bottom) / 2, ::GetSystemMetrics(SM_CYSCREEN) / 2, 1);
    // Not hidden behind the ruler, and its hot-key fields get every combination.
    EXPECT_TRUE(StateBecomes(dravik, {{RulerState::TopMost, L"0"}, {RulerState::HotKeys, L"0"}}));
    EXPECT_TRUE(HotkeyFree(MOD_CONTROL | MOD_SHIFT, 'A')) << "the measuring hotkey is still held";

    std::set<std::wstring> shown;
    for (const auto& [wnd, text] : Captions(dlg))
        shown.insert(text);
    for (const wchar_t* caption :
         {L"Farben",
          L"Hintergrund",
          L"Skala",
          L"Mauspositionsline",
          L"Mausposition Zahl",
          L"Mausposition Hintergrund",
          L"Standard...",
          L"Systemweite Tastenkürzel ",
          kMoveUp,
          kMoveDown,
          kMoveLeft,
          kMoveRight,
          kMoveBy,
          L"Pixel",
          kMeasureStart,
          L"?",
          L"Lineal- und Darstellungsgenauigkeit",
          kAuto,
          kOwn,
          kLength,
          kStep,
          L"cm",
          L"Messen Sie die Länge des schwarzen Balkens mit einem echten Lineal am Bildschirm ab. "
          L"Geben Sie einen möglichst genauen Wert mit Nachkommastellen wie z.B. 5,48 cm an.",
          L"Diese Angabe wird genutzt um zu berechnen, wie viele Pixel einen Zentimeter auf dem "
          L"Bildschirm entsprechen.",
          L"Sonstiges",
          L"Menüpunkt \"Sichtbar\" ändert auch Lupe",
          L"Markierung",
          L"Kanten messen",
          L"Markierung setzen",
          L"Kantentoleranz",
          L"OK",
          L"Abbrechen"})
        EXPECT_TRUE(shown.count(caption)) << "no caption \"" << Narrow(caption) << "\"";

    // Each label stands right before its field.
    const struct {
        const wchar_t* Label;
        int Id;
        const wchar_t* Class;
    } fields[] = {
        {L"Hintergrund", idCpbBack, L"TColorPickerButton"},
        {L"Skala", idCpbTicks, L"TColorPickerButton"},
        {L"Mauspositionsline", idCpbMouseLine, L"TColorPickerButton"},
        {L"Mausposition Zahl", idCpbMousePosPosText, L"TColorPickerButton"},
        {L"Mausposition Hintergrund", idCpbMousePosBack, L"TColorPickerButton"},
        {kMoveUp, idHkMoveHotKeyUp, HOTKEY_CLASSW},
        {kMoveDown, idHkMoveHotKeyDown, HOTKEY_CLASSW},
        {kMoveLeft, idHkMoveHotKeyLeft, HOTKEY_CLASSW},
        {kMoveRight, idHkMoveHotKeyRight, HOTKEY_CLASSW},
        {kMeasureStart, idHkMeasureStart, HOTKEY_CLASSW},
        {kMoveBy, idEMoveHotKeyMoveBy, L"Edit"},
        {L"Markierung", idCpbPinMark, L"TColorPickerButton"},
        {L"Kanten messen", idHkEdgeSpan, HOTKEY_CLASSW},
        {L"Markierung setzen", idHkPinMark, HOTKEY_CLASSW},
        {L"Kantentoleranz", idEEdgeTolerance, L"Edit"},
        {kLength, idEUserCmMeasured, L"Edit"},
        {kStep, idEUserCmMeasuredChangeBy, L"Edit"},
    };
    for (const auto& f : fields) {
        HWND field = FieldOf(dlg, f.Label);
        EXPECT_EQ(field, Control(dlg, f.Id)) << Narrow(f.Label);
        EXPECT_EQ(ClassOf(field), f.Class) << Narrow(f.Label);
    }
    EXPECT_EQ(::GetWindowLongPtrW(Control(dlg, idSettingsOK), GWL_STYLE) & BS_TYPEMASK,
              BS_DEFPUSHBUTTON)
        << "OK is not the default button";

    // The calibration frame holds its radios, edits and the reference bar.
    HWND frame = Control(dlg, idPixelsPerMMEditor);
    EXPECT_EQ(ClassOf(frame), PixelsPerMMEditorClass);
    for (int id : {idRbAutoPixelPerMM, idRbUserPixelPerMM, idReferenceBar, idEUserCmMeasured,
                   idEUserCmMeasuredChangeBy})
        EXPECT_TRUE(::IsChild(frame, Control(dlg, id))) << "control " << id;
    // The bar: one black run of 200 device pixels on white.
    const RECT bar = Place(Control(dlg, idReferenceBar));
    const int barWidth = bar.right - bar.left;
    const std::vector<COLORREF> barPixels = ScreenArea(bar);
    int longest = 0;
    for (int y = 0; y < bar.bottom - bar.top; ++y)
        for (int x = 0, run = 0; x < barWidth; ++x) {
            run = barPixels[static_cast<size_t>(y * barWidth + x)] == RGB(0, 0, 0) ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    EXPECT_EQ(longest, 200) << "the black bar";
    EXPECT_EQ(barPixels.front(), RGB(255, 255, 255)) << "the bar's white area";

    // The ruler's values.
    HWND length = Control(dlg, idEUserCmMeasured), step = Control(dlg, idEUserCmMeasuredChangeBy);
    EXPECT_EQ(Text(length), L"5,4800");
    EXPECT_EQ(Text(step), L"0,1000");
    EXPECT_EQ(::SendMessageW(Control(dlg, idRbAutoPixelPerMM), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(::SendMessageW(Control(dlg, idRbUserPixelPerMM), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_FALSE(::IsWindowEnabled(length)) << "the length is the user's own value only";
    EXPECT_TRUE(::IsWindowEnabled(step));
    EXPECT_EQ(::SendMessageW(Control(dlg, idCbMagnifierSyncVisible), BM_GETCHECK, 0, 0),
              BST_CHECKED);
    EXPECT_EQ(Text(Control(dlg, idEMoveHotKeyMoveBy)), L"7");
    EXPECT_EQ(::SendMessageW(Control(dlg, idUdMoveHotKeyMoveBy), UDM_GETPOS32, 0, 0), 7);
    EXPECT_EQ(Text(Control(dlg, idEEdgeTolerance)), L"30");
    const std::pair<const wchar_t*, Combination> hotKeys[] = {
        {kMoveUp, {VK_UP, HOTKEYF_CONTROL | HOTKEYF_ALT}},
        {kMoveDown, {}},
        {kMoveLeft, {}},
        {kMoveRight, {}},
        {kMeasureStart, {'A', HOTKEYF_CONTROL | HOTKEYF_SHIFT}},
        {L"Kanten messen", {'K', HOTKEYF_CONTROL | HOTKEYF_SHIFT}},
        {L"Markierung setzen", {'M', HOTKEYF_CONTROL | HOTKEYF_SHIFT}}};
    for (const auto& [label, combination] : hotKeys)
        EXPECT_EQ(HotKeyOf(FieldOf(dlg, label)), combination) << Narrow(label);
    EXPECT_TRUE(SwatchesBecome(dravik, dlg, OwnColours()));

    // "?" explains the measuring hotkey.
    ASSERT_TRUE(ClickOn(Control(dlg, idMeasureStartHelp)));
    EXPECT_EQ(AnswerMessageBox(dravik),
              L"Mit diesem Tastenkürzel können Sie eine Strecke messen:\r\n\r\n-Zeigen Sie mit der "
              L"Maus auf einen Punkt auf dem Bildschirm, während Sie das Lineal sehen. Drücken Sie "
              L"dann dieses Tastenkürzel. Damit wird der Startpunkt der Messung gesetzt.\r\n\r\n-"
              L"Bewegen Sie nun die Maus, um Strecke zwischen dem Startpunkt und der aktuellen "
              L"Mausposition auszumessen. Die Länge dieser Strecke wird im Lineal in Klammern "
              L"hinter der aktuellen Position angezeigt.\r\n\r\n-Um das Messen der Strecke zu "
              L"beenden, bewegen Sie die Maus nicht und drücken das Tastenkürzel zwei mal "
              L"hintereinander.");
    ASSERT_TRUE(::IsWindow(dlg));

    // Esc closes it; the ruler is top-most and holds its hotkey again.
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(Closed(dravik, dlg));
    EXPECT_TRUE(StateBecomes(dravik, {{RulerState::TopMost, L"1"}, {RulerState::HotKeys, L"4"}}));
    EXPECT_FALSE(HotkeyFree(MOD_CONTROL | MOD_SHIFT, 'A'));

    // A click on the item opens it as well; "Abbrechen" closes it.
    dlg = OpenSettingsFromMenu(dravik, MenuWay::RightClickThenClick);
    ASSERT_NE(dlg, nullptr) << "a click on \"Einstellungen...\" opened no dialog";
    EXPECT_TRUE(StateBecomes(dravik, {{RulerState::TopMost, L"0"}}));
    ASSERT_TRUE(
        ClickUntil(dravik, Control(dlg, idSettingsCancel), [&] { return !::IsWindow(dlg); }));
    EXPECT_TRUE(StateBecomes(dravik, {{RulerState::TopMost, L"1"}}));

    // The keyboard alone: the menu opens beside the ruler, not over it, takes
    // the arrow keys at once, and Esc closes the dialog.
    dlg = OpenSettingsFromMenu(dravik, MenuWay::KeysOnly);
    ASSERT_NE(dlg, nullptr) << "Shift+F10, Down and Enter opened no dialog";
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(Closed(dravik, dlg));
    EXPECT_TRUE(dravik.Running());
}

TEST_F(SettingsDlg, OwnLengthCalibratesTheMillimetresAndAutomaticGivesThemBack) {
    // A move step beyond the field's range is shown, and stored, as 100.
    DravikProcess& dravik = Start(L"Magnifier=0\r\nUnit=0\r\nMoveHotKeyMoveBy=250");
    std::vector<int> original;
    ASSERT_TRUE(TicksBecome(
        dravik, [](const std::vector<int>& t) { return t.size() >= 5; }, original));

    HWND dlg = OpenSettings(dravik);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(Text(Control(dlg, idEMoveHotKeyMoveBy)), L"100");
    HWND length = Control(dlg, idEUserCmMeasured);
    // The length is greyed in the automatic mode and white with the own value.
    auto background = [&] {
        RECT r = Place(length);
        return ScreenPixel(r.right - 5, (r.top + r.bottom) / 2);
    };
    EXPECT_TRUE(PixelBecomes(dravik, "the length", background, ::GetSysColor(COLOR_BTNFACE)));
    ASSERT_TRUE(Chosen(dravik, Control(dlg, idRbUserPixelPerMM)));
    EXPECT_TRUE(dravik.WaitUntil([&] { return ::IsWindowEnabled(length) != FALSE; }));
    EXPECT_TRUE(PixelBecomes(dravik, "the length", background, ::GetSysColor(COLOR_WINDOW)));
    ASSERT_TRUE(TypeInto(dravik, length, L"10,00"));
    ASSERT_TRUE(ClickOk(dravik, dlg));
    ASSERT_TRUE(Closed(dravik, dlg)) << Narrow(dravik.WaitForMessageBox(0));
    // Written at once, while the program runs on.
    auto entries = ReadIni(dravik.SettingsFile());
    EXPECT_EQ(IniValue(entries, L"RefCmSize"), L"10,00");
    EXPECT_EQ(IniValue(entries, L"CmAuto"), L"0");
    EXPECT_EQ(IniValue(entries, L"MoveHotKeyMoveBy"), L"100");
    EXPECT_TRUE(
        StateBecomes(dravik, {{RulerState::CmAuto, L"0"}, {RulerState::PixelsPerMMX, L"2"}}));
    // 200 pixels are 100 millimetres: a large tick every 20 pixels.
    std::vector<int> ticks;
    EXPECT_TRUE(TicksBecome(
        dravik,
        [](const std::vector<int>& t) {
            if (t.size() < 20) return false;
            for (size_t i = 1; i < t.size(); ++i)
                if (t[i] - t[i - 1] != 20) return false;
            return true;
        },
        ticks));

    // Opened again it shows the own value; "Automatisch" gives the system's back.
    dlg = OpenSettings(dravik);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(::SendMessageW(Control(dlg, idRbUserPixelPerMM), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(Text(Control(dlg, idEUserCmMeasured)), L"10,0000");
    ASSERT_TRUE(Chosen(dravik, Control(dlg, idRbAutoPixelPerMM)));
    EXPECT_TRUE(
        dravik.WaitUntil([&] { return !::IsWindowEnabled(Control(dlg, idEUserCmMeasured)); }));
    ASSERT_TRUE(ClickOk(dravik, dlg));
    ASSERT_TRUE(Closed(dravik, dlg)) << Narrow(dravik.WaitForMessageBox(0));
    entries = ReadIni(dravik.SettingsFile());
    EXPECT_EQ(IniValue(entries, L"CmAuto"), L"1");
    EXPECT_EQ(IniValue(entries, L"RefCmSize"), L"10,00") << "the length is kept for next time";
    EXPECT_TRUE(StateBecomes(dravik, {{RulerState::CmAuto, L"1"}}));
    EXPECT_TRUE(TicksBecome(
        dravik, [&](const std::vector<int>& t) { return t == original; }, ticks));
}

TEST_F(SettingsDlg, PopupColoursReachTheSwatchesTheFaceAndTheFileAndStandardResetsOnlySwatches) {
    DravikProcess& dravik = Start(kSettings);
    HWND dlg = OpenSettings(dravik);
    ASSERT_NE(dlg, nullptr);

    // "Light Blue" from the cells, through the "..." button.
    const COLORREF back = RGB(0x33, 0x66, 0xFF);
    COLORREF picked = 0;
    ASSERT_TRUE(ChooseInPopup(dravik, FieldOf(dlg, L"Hintergrund"), true, Cell(back), picked));
    // A comb, through a click on the swatch.
    COLORREF ticks = 0;
    ASSERT_TRUE(ChooseInPopup(dravik, FieldOf(dlg, L"Skala"), false, FindComb, ticks));
    std::vector<COLORREF> chosen = kDefaultColours;
    chosen[0] = back;
    chosen[1] = ticks;
    EXPECT_TRUE(SwatchesBecome(dravik, dlg, chosen));
    ASSERT_TRUE(ClickOk(dravik, dlg));
    ASSERT_TRUE(Closed(dravik, dlg)) << Narrow(dravik.WaitForMessageBox(0));

    // The face: its gradient from the new background, the ticks in the comb's colour.
    auto entries = ReadIni(dravik.SettingsFile());
    EXPECT_EQ(IniValue(entries, L"Colors", L"Back"), BgrText(back));
    EXPECT_EQ(IniValue(entries, L"Colors", L"Ticks"), BgrText(ticks));
    EXPECT_EQ(IniValue(entries, L"Colors", L"MouseLine"), L"0000FF");
    const int width = ClientWidth(dravik), height = 49;
    std::vector<COLORREF> face;
    auto at = [&](int x, int y) { return face[static_cast<size_t>(y * width + x)]; };
    EXPECT_TRUE(dravik.WaitUntil([&] {
        face = RulerFace(dravik);
        return FaceShows(at(300, 36), back, 36, height) && at(31, 5) == ticks;
    })) << "the face shows "
        << Hex6(at(300, 36)) << " in row 36 and " << Hex6(at(31, 5)) << " on the tick at 31";
    EXPECT_TRUE(FaceShows(at(300, 46), back, 46, height)) << Hex6(at(300, 46));
    EXPECT_TRUE(FaceShows(at(300, 14), back, 14, height)) << Hex6(at(300, 14));

    // Opened again: the new colours; "Standard..." and No keeps them.
    dlg = OpenSettings(dravik);
    ASSERT_NE(dlg, nullptr);
    EXPECT_TRUE(SwatchesBecome(dravik, dlg, chosen));
    HWND step = Control(dlg, idEUserCmMeasuredChangeBy);
    ASSERT_TRUE(TypeInto(dravik, step, L"0,5"));
    const TBytes written = ReadBytes(dravik.SettingsFile());
    for (const int answer : {IDNO, IDYES}) {
        SCOPED_TRACE(answer == IDYES ? "Yes" : "No");
        ASSERT_TRUE(ResetColours(dravik, dlg, answer));
        EXPECT_TRUE(SwatchesBecome(dravik, dlg, answer == IDYES ? kDefaultColours : chosen));
    }
    // Only the swatches: the other fields and the ruler stay as they were.
    EXPECT_EQ(Text(step), L"0,5");
    EXPECT_EQ(HotKeyOf(FieldOf(dlg, kMoveUp)), (Combination{VK_UP, HOTKEYF_CONTROL | HOTKEYF_ALT}));
    EXPECT_TRUE(FileKept(dravik, written));
    // (The dialog stands over the ruler: its print tells what it shows.)
    const COLORREF printed = static_cast<COLORREF>(std::stoul(dravik.Ask(L"printclient 300 36")));
    EXPECT_TRUE(FaceShows(printed, back, 36, height)) << Hex6(printed);
    // Cancelled: the ruler keeps its colours.
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(Closed(dravik, dlg));
    EXPECT_TRUE(FileKept(dravik, written));
    // The ruler shows again once the dialog has gone from over it.
    EXPECT_TRUE(dravik.WaitUntil([&] {
        face = RulerFace(dravik);
        return FaceShows(at(300, 36), back, 36, height);
    })) << Hex6(at(300, 36));
}

TEST_F(SettingsDlg, CancelAndEscChangeNothingAndGiveTheHotkeysBack) {
    DravikProcess& dravik =
        Start(L"Magnifier=0\r\nMoveHotKeyMoveBy=5\r\nMoveHotKeyDown=49192" + OwnColourLines());
    ASSERT_TRUE(StateBecomes(dravik, {{RulerState::HotKeys, L"4"}}));
    const std::vector<COLORREF> face = SettledRulerFace(dravik);
    const TBytes file = ReadBytes(dravik.SettingsFile());
    const auto before = dravik.State();
    const struct {
        const char* Way;
        void (*Close)(DravikProcess&, HWND);
    } ways[] = {
        {"Abbrechen",
         [](DravikProcess& d, HWND dlg) {
             EXPECT_TRUE(
                 ClickUntil(d, Control(dlg, idSettingsCancel), [&] { return !::IsWindow(dlg); }));
         }},
        {"Esc",
         [](DravikProcess& d, HWND dlg) {
             // From a text field: a hot-key field would take the key.
             EXPECT_TRUE(SelectText(d, Control(dlg, idEMoveHotKeyMoveBy)));
             PressKey(VK_ESCAPE);
         }},
    };
    int top = std::stoi(before[RulerState::Top]);
    for (const auto& way : ways) {
        SCOPED_TRACE(way.Way);
        HWND dlg = OpenSettings(dravik);
        ASSERT_NE(dlg, nullptr);
        // Everything changed once.
        ASSERT_TRUE(ResetColours(dravik, dlg, IDYES));
        ASSERT_TRUE(SwatchesBecome(dravik, dlg, kDefaultColours));
        ASSERT_TRUE(Chosen(dravik, Control(dlg, idRbUserPixelPerMM)));
        ASSERT_TRUE(TypeInto(dravik, Control(dlg, idEUserCmMeasured), L"10,00"));
        HWND down = FieldOf(dlg, kMoveDown);
        ASSERT_TRUE(PressInto(dravik, down, {VK_CONTROL, VK_MENU}, VK_UP));
        ASSERT_TRUE(HotKeyBecomes(dravik, down, {VK_UP, HOTKEYF_CONTROL | HOTKEYF_ALT}));
        ASSERT_TRUE(TypeInto(dravik, Control(dlg, idEMoveHotKeyMoveBy), L"9"));
        HWND sync = Control(dlg, idCbMagnifierSyncVisible);
        ASSERT_TRUE(ClickUntil(dravik, sync, [&] {
            return ::SendMessageW(sync, BM_GETCHECK, 0, 0) == BST_UNCHECKED;
        }));

        way.Close(dravik, dlg);
        ASSERT_TRUE(Closed(dravik, dlg));
        EXPECT_TRUE(
            StateBecomes(dravik, {{RulerState::TopMost, L"1"},
                                  {RulerState::HotKeys, L"4"},
                                  {RulerState::CmAuto, before[RulerState::CmAuto]},
                                  {RulerState::RefCmSize, before[RulerState::RefCmSize]},
                                  {RulerState::PixelsPerMMX, before[RulerState::PixelsPerMMX]}}));
        EXPECT_TRUE(FileKept(dravik, file));
        EXPECT_TRUE(dravik.WaitUntil([&] { return RulerFace(dravik) == face; }))
            << "the ruler's face changed";
        // The hotkeys act as before: the move by the old step, the start point.
        EXPECT_TRUE(dravik.PressHotkey({VK_CONTROL, VK_MENU}, VK_DOWN));
        top += 5;
        EXPECT_TRUE(StateBecomes(dravik, {{RulerState::Top, std::to_wstring(top)}}));
        const std::wstring measuring =
            dravik.State()[RulerState::HasStartPos] == L"1" ? L"0" : L"1";
        EXPECT_TRUE(dravik.PressHotkey({VK_CONTROL, VK_SHIFT}, 'A'));
        EXPECT_TRUE(StateBecomes(dravik, {{RulerState::HasStartPos, measuring}}));
    }
}

TEST_F(SettingsDlg, HotKeyFieldsTakeTypedCombinationsThatOkRegistersAndStores) {
    DravikProcess& dravik = Start(kSettings);
    HWND dlg = OpenSettings(dravik);
    ASSERT_NE(dlg, nullptr);
    const struct {
        const wchar_t* Field;
        std::initializer_list<WORD> Held;
        WORD Key;
        Combination Shown;
    } typed[] = {
        // The ruler's own measuring hotkey is off: the field gets it.
        {kMoveUp, {VK_CONTROL, VK_SHIFT}, 'A', {'A', HOTKEYF_CONTROL | HOTKEYF_SHIFT}},
        {kMoveDown, {VK_CONTROL, VK_MENU}, VK_DOWN, {VK_DOWN, HOTKEYF_CONTROL | HOTKEYF_ALT}},
        // A plain key and one with Shift alone get Alt.
        {kMoveLeft, {}, 'K', {'K', HOTKEYF_ALT}},
        {kMoveRight, {VK_SHIFT}, 'L', {'L', HOTKEYF_SHIFT | HOTKEYF_ALT}},
    };
    for (const auto& row : typed) {
        SCOPED_TRACE(Narrow(row.Field));
        HWND field = FieldOf(dlg, row.Field);
        ASSERT_TRUE(PressInto(dravik, field, row.Held, row.Key));
        EXPECT_TRUE(HotKeyBecomes(dravik, field, row.Shown));
    }
    // Backspace clears a field.
    HWND up = FieldOf(dlg, kMoveUp);
    ASSERT_TRUE(PressInto(dravik, up, {}, VK_BACK));
    EXPECT_TRUE(HotKeyBecomes(dravik, up, {}));
    ASSERT_TRUE(TypeInto(dravik, Control(dlg, idEMoveHotKeyMoveBy), L"12"));
    HWND sync = Control(dlg, idCbMagnifierSyncVisible);
    ASSERT_TRUE(ClickUntil(
        dravik, sync, [&] { return ::SendMessageW(sync, BM_GETCHECK, 0, 0) == BST_UNCHECKED; }));

    // Another program holds Alt+K: OK says so, and stores everything.
    const HeldHotkey taken(MOD_ALT, 'K');
    ASSERT_TRUE(taken.Held());
    ASSERT_TRUE(ClickOk(dravik, dlg));
    HWND box = nullptr;
    EXPECT_EQ(AnswerMessageBox(dravik, &box),
              L"Diese Tastenkürzel werden schon von einem anderen Programm verwendet und sind "
              L"deshalb nicht aktiv:\r\n\r\nLineal nach links verschieben (Alt+K)\r\n\r\nDie "
              L"Einstellungen wurden trotzdem gespeichert.");
    ASSERT_TRUE(Closed(dravik, dlg));
    const auto entries = ReadIni(dravik.SettingsFile());
    const std::pair<const wchar_t*, const wchar_t*> stored[] = {
        {L"MoveHotKeyUp", L"0"},           {L"MoveHotKeyDown", L"49192"},
        {L"MoveHotKeyLeft", L"32843"},     {L"MoveHotKeyRight", L"41036"},
        {L"HotKeyMeasureStart", L"24641"}, {L"MoveHotKeyMoveBy", L"12"},
        {L"MagnifierSyncVisible", L"0"}};
    for (const auto& [key, value] : stored)
        EXPECT_EQ(IniValue(entries, key), value) << Narrow(key);
    EXPECT_TRUE(StateBecomes(dravik, {{RulerState::HotKeys, L"5"}, {RulerState::TopMost, L"1"}}));

    // The new hotkeys move the ruler by the new step.
    const auto before = dravik.State();
    EXPECT_TRUE(dravik.PressHotkey({VK_CONTROL, VK_MENU}, VK_DOWN));
    EXPECT_TRUE(StateBecomes(
        dravik, {{RulerState::Top, std::to_wstring(std::stoi(before[RulerState::Top]) + 12)}}));
    EXPECT_TRUE(dravik.PressHotkey({VK_SHIFT, VK_MENU}, 'L'));
    EXPECT_TRUE(StateBecomes(
        dravik, {{RulerState::Left, std::to_wstring(std::stoi(before[RulerState::Left]) + 12)}}));
    EXPECT_TRUE(HotkeyFree(MOD_CONTROL | MOD_ALT, VK_UP)) << "the old move-up hotkey is given back";
}

TEST_F(SettingsDlg, BadInputIsRefusedWithAMessageAndTheFocusOnItsField) {
    DravikProcess& dravik = Start(kSettings);
    HWND dlg = OpenSettings(dravik);
    ASSERT_NE(dlg, nullptr);
    HWND moveBy = Control(dlg, idEMoveHotKeyMoveBy);
    // The move step takes digits only.
    ASSERT_TRUE(SelectText(dravik, moveBy));
    TypeText(L"4x2");
    EXPECT_TRUE(dravik.WaitUntil([&] { return Text(moveBy) == L"42"; }))
        << "the field shows \"" << Narrow(Text(moveBy)) << "\"";

    ASSERT_TRUE(Chosen(dravik, Control(dlg, idRbUserPixelPerMM)));
    const TBytes file = ReadBytes(dravik.SettingsFile());
    const auto state = dravik.State();
    const std::wstring moveByMessage =
        L"Bitte geben Sie unter \"Lineal verschieben um\" eine ganze Zahl von 0 bis 100 an.";
    const struct {
        const char* What;
        int Field; // typed into, and the focus after the message
        const wchar_t* Text;
        std::wstring Message;
    } refused[] = {
        {"length 1000", idEUserCmMeasured, L"1000",
         L"Bitte geben Sie unter \"Länge des schwarzen Balkens\" eine Fließkommazahl größer als "
         L"0 und kleiner als 1000 an."},
        {"length with a blank", idEUserCmMeasured, L" 5,48",
         L"Bitte geben Sie unter \"Länge des schwarzen Balkens\" eine Fließkommazahl größer als "
         L"0 und kleiner als 1000 an."},
        {"step 99", idEUserCmMeasuredChangeBy, L"99",
         L"Bitte geben Sie unter \"Änderung mit +/- Taste um\" eine Fließkommazahl größer als 0 "
         L"und kleiner als 99 an."},
        {"move step 250", idEMoveHotKeyMoveBy, L"250", moveByMessage},
        {"no move step", idEMoveHotKeyMoveBy, L"", moveByMessage},
        {"tolerance 256", idEEdgeTolerance, L"256",
         L"Bitte geben Sie unter \"Kantentoleranz\" eine ganze Zahl von 0 bis 255 an."},
    };
    // Each row's field is good again before the next row.
    const std::pair<int, const wchar_t*> mended[] = {
        {idEUserCmMeasured, L"999,9"},         {idEUserCmMeasured, L"999,9"},
        {idEUserCmMeasuredChangeBy, L"98,99"}, {idEMoveHotKeyMoveBy, L"5"},
        {idEMoveHotKeyMoveBy, L"5"},           {idEEdgeTolerance, L"30"}};
    for (size_t i = 0; i < std::size(refused); ++i) {
        const auto& row = refused[i];
        SCOPED_TRACE(row.What);
        HWND field = Control(dlg, row.Field);
        ASSERT_TRUE(TypeInto(dravik, field, row.Text));
        ASSERT_TRUE(ClickOk(dravik, dlg));
        HWND box = nullptr;
        EXPECT_EQ(AnswerMessageBox(dravik, &box), row.Message);
        EXPECT_TRUE(::IsWindow(dlg) && ::IsWindowVisible(dlg)) << "the dialog closed";
        EXPECT_TRUE(dravik.WaitUntil([&] { return FocusOf(dlg) == field; }))
            << "the focus is on a \"" << Narrow(ClassOf(FocusOf(dlg))) << "\"";
        EXPECT_TRUE(FileKept(dravik, file));
        EXPECT_TRUE(StateBecomes(dravik, {{RulerState::CmAuto, state[RulerState::CmAuto]},
                                          {RulerState::RefCmSize, state[RulerState::RefCmSize]},
                                          {RulerState::HotKeys, L"0"}}));
        ASSERT_TRUE(TypeInto(dravik, Control(dlg, mended[i].first), mended[i].second));
    }

    // One combination in two fields: the later field is named and focused.
    HWND up = FieldOf(dlg, kMoveUp), measure = FieldOf(dlg, kMeasureStart);
    ASSERT_TRUE(PressInto(dravik, up, {VK_CONTROL, VK_SHIFT}, 'A'));
    ASSERT_TRUE(HotKeyBecomes(dravik, up, {'A', HOTKEYF_CONTROL | HOTKEYF_SHIFT}));
    ASSERT_TRUE(ClickOk(dravik, dlg));
    EXPECT_EQ(AnswerMessageBox(dravik),
              L"Das Tastenkürzel \"Strg+Umschalt+A\" ist unter \"Lineal nach oben verschieben\" "
              L"und unter \"Strecke messen: Startpunkt setzen\" eingetragen. Bitte geben Sie unter "
              L"\"Strecke messen: Startpunkt setzen\" ein anderes Tastenkürzel an.");
    EXPECT_TRUE(::IsWindow(dlg) && ::IsWindowVisible(dlg)) << "the dialog closed";
    EXPECT_TRUE(dravik.WaitUntil([&] { return FocusOf(dlg) == measure; }));
    EXPECT_TRUE(FileKept(dravik, file));

    // Mended, OK takes the values that were refused before.
    ASSERT_TRUE(PressInto(dravik, up, {}, VK_BACK));
    ASSERT_TRUE(HotKeyBecomes(dravik, up, {}));
    ASSERT_TRUE(ClickOk(dravik, dlg));
    ASSERT_TRUE(Closed(dravik, dlg)) << Narrow(dravik.WaitForMessageBox(0));
    const auto entries = ReadIni(dravik.SettingsFile());
    EXPECT_EQ(IniValue(entries, L"RefCmSize"), L"999,90");
    EXPECT_EQ(IniValue(entries, L"RefCmSizeChangeBy"), L"98,99");
    EXPECT_EQ(IniValue(entries, L"MoveHotKeyMoveBy"), L"5");
    EXPECT_EQ(IniValue(entries, L"MoveHotKeyUp"), L"0");
    EXPECT_EQ(IniValue(entries, L"CmAuto"), L"0");

    // In the automatic mode the length is not checked: OK closes, and a
    // length that is no number keeps the good calibration stored.
    dlg = OpenSettings(dravik);
    ASSERT_NE(dlg, nullptr);
    ASSERT_TRUE(TypeInto(dravik, Control(dlg, idEUserCmMeasured), L"abc"));
    ASSERT_TRUE(Chosen(dravik, Control(dlg, idRbAutoPixelPerMM)));
    ASSERT_TRUE(ClickOk(dravik, dlg));
    EXPECT_TRUE(Closed(dravik, dlg)) << Narrow(dravik.WaitForMessageBox(0));
    const auto automatic = ReadIni(dravik.SettingsFile());
    EXPECT_EQ(IniValue(automatic, L"CmAuto"), L"1");
    EXPECT_EQ(IniValue(automatic, L"RefCmSize"), L"999,90");
}

// The colour window of "Weitere...": a screen colour shot taken from it shows
// the screen without the program, as the ruler's own colour window does: the
// settings dialog, the ruler and the magnifier step aside and come back.
TEST_F(SettingsDlg, MoreColoursShotHidesTheDialogTheRulerAndTheMagnifier) {
    DravikProcess& dravik = Start(L"Magnifier=1\r\nMoveHotKeyMoveBy=7");
    const HWND magnifier = ShownProgramWindow(dravik, L"TMagnifierDlg");
    ASSERT_NE(magnifier, nullptr);
    const HWND dlg = OpenSettings(dravik);
    ASSERT_NE(dlg, nullptr);
    HWND form = nullptr;
    for (int attempt = 0; attempt < 3 && !form; ++attempt) { // a lost click is made again
        const HWND popup = OpenPopup(dravik, FieldOf(dlg, L"Hintergrund"), true);
        if (!popup) continue; // the click on the field was lost: made again
        ClickOn(popup, MoreColoursPoint(popup));
        form = ShownProgramWindow(dravik, ColorFormClass, 2000);
        if (!form && ::IsWindowVisible(popup)) PressKey(VK_ESCAPE);
    }
    ASSERT_NE(form, nullptr) << "\"Weitere...\" opened no colour window";
    EXPECT_EQ(::GetWindow(form, GW_OWNER), dlg);

    HWND shot = nullptr;
    ASSERT_TRUE(ClickUntil(dravik, Control(form, idColCapture), [&] {
        return (shot = dravik.ProgramWindow(L"TMVColorShotDlg")) && ::IsWindowVisible(shot);
    }));
    EXPECT_TRUE(StateBecomes(dravik, {{RulerState::ColorShot, L"1"}}));
    for (const auto& [name, wnd] : {std::pair{"settings dialog", dlg},
                                    {"colour window", form},
                                    {"ruler", dravik.Ruler()},
                                    {"magnifier", magnifier}})
        EXPECT_FALSE(::IsWindowVisible(wnd)) << "the " << name << " is in the shot";

    // Esc ends the shot: everything comes back, the colour window on top.
    ASSERT_TRUE(dravik.WaitUntil([&] { return ::GetForegroundWindow() == shot; }));
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(StateBecomes(dravik, {{RulerState::ColorShot, L"0"}, {RulerState::Visible, L"1"}}));
    for (const auto& [name, wnd] :
         {std::pair{"settings dialog", dlg}, {"colour window", form}, {"magnifier", magnifier}})
        EXPECT_TRUE(dravik.WaitUntil([&] { return ::IsWindowVisible(wnd) != FALSE; }))
            << "the " << name << " did not come back";
    EXPECT_FALSE(::IsWindowEnabled(dlg)) << "the colour window is no longer modal";
    ::PostMessageW(form, WM_CLOSE, 0, 0);
    EXPECT_TRUE(dravik.WaitUntil([&] { return ::IsWindowEnabled(dlg) != FALSE; }));
    ::PostMessageW(dlg, WM_CLOSE, 0, 0);
    EXPECT_TRUE(dravik.WaitUntil([&] { return !::IsWindow(dlg); }));
}
