// The colour window's controls: one row per control with its 96-DPI place,
// text and hint. The same rows create the controls and place them again when
// the DPI changes.
#include "colour/win/MVColorForm.h"
#include "colour/win/MVColorFormRows.h"

#include "util/win/Bitmaps.h"
#include "util/win/Fonts.h"

#include <commctrl.h>

namespace {

using TKind = TColorFormKind;
using TRow = TColorFormRow;
constexpr LocalText NoText = LocalText::Neutral(L"");
consteval LocalText Same(const wchar_t* text) {
    return LocalText::Neutral(text);
}
constexpr LocalText kSampleText{L"Beispieltext", L"Sample text"};
constexpr LocalText kUserImage{L"Benutzer-Bild", L"User image"};

// Ids of the containers and labels that nothing else refers to.
constexpr int idBrightFrame = 3000;
constexpr int idSatFrame = 3001;
constexpr int idFirstLabel = 3100;
// "OK" and "Abbrechen" at the bottom right; "Schließen" alone takes the
// place of "Abbrechen".
constexpr int ButtonRowTop = 473;
constexpr int OkLeft = 681;
constexpr int CancelLeft = 762;

constexpr int Page(TColorPage page) {
    return idPageFirst + static_cast<int>(page);
}

const std::vector<TRow>& Rows() {
    using enum TKind;
    static const std::vector<TRow> classic{
        {Combo, idPalName, 0, 8, 8, 260, 200},
        {Panel, idPageArea, 0, 8, 34, 260, 260},
        {Panel, Page(TColorPage::Spectrum), idPageArea, 2, 2, 256, 256},
        {Panel, Page(TColorPage::Pal256), idPageArea, 2, 2, 256, 256},
        {Panel, Page(TColorPage::WinPal), idPageArea, 2, 2, 256, 256},
        {Panel, Page(TColorPage::Web), idPageArea, 2, 2, 256, 256},
        {Panel, Page(TColorPage::AddPal), idPageArea, 2, 2, 256, 256},
        {Panel, Page(TColorPage::Office), idPageArea, 2, 2, 256, 256},
        {Panel, Page(TColorPage::UserPal), idPageArea, 2, 2, 256, 256},
        {Panel, Page(TColorPage::UserBild), idPageArea, 2, 2, 256, 256},
        {Panel, Page(TColorPage::Harmonic), idPageArea, 2, 2, 256, 256},
        // The pages.
        {Custom, idSpectrum, Page(TColorPage::Spectrum), 0, 0, 256, 256},
        {Custom, idColorPal256, Page(TColorPage::Pal256), 19, 22, 218, 212},
        {Label, 0, Page(TColorPage::WinPal), 79, 3, 98, 14, {L"8 Farben", L"8 colors"}},
        {Custom, idColorPal8, Page(TColorPage::WinPal), 79, 18, 98, 16},
        {Label, 0, Page(TColorPage::WinPal), 79, 55, 98, 14, {L"16 Farben", L"16 colors"}},
        {Custom, idColorPal16, Page(TColorPage::WinPal), 79, 70, 98, 30},
        {Label, 0, Page(TColorPage::WinPal), 79, 120, 98, 14, {L"Grundfarben", L"Basic colors"}},
        {Custom, idColorPalWin, Page(TColorPage::WinPal), 79, 135, 98, 86},
        {Label,
         0,
         Page(TColorPage::Web),
         19,
         18,
         218,
         14,
         {L"216 Webfarben (Browser-Safe)", L"216 web colors (browser-safe)"}},
        {Custom, idColorPalWeb216, Page(TColorPage::Web), 19, 34, 218, 170},
        {Label,
         0,
         Page(TColorPage::AddPal),
         55,
         2,
         146,
         14,
         {L"120 Webfarben Namen", L"120 web color names"}},
        {Custom, idColorPalWeb120, Page(TColorPage::AddPal), 55, 17, 146, 142},
        {Label, 0, Page(TColorPage::AddPal), 79, 178, 98, 14, {L"Cremefarben", L"Cream colors"}},
        {Custom, idColorPalCreme, Page(TColorPage::AddPal), 79, 193, 98, 30},
        {Custom, idColorPalWordVista, Page(TColorPage::Office), 67, 85, 122, 86},
        {Custom, idColorPalUser, Page(TColorPage::UserPal), 31, 15, 194, 226},
        {Custom, idUserImageBox, Page(TColorPage::UserBild), 0, 0, 256, 256},
        {Custom, idPickerHarmonic, Page(TColorPage::Harmonic), 78, 71, 100, 113},
        // The bars and the three colour panels.
        {Label, 0, 0, 280, 18, 30, 14, {L"Hell.", L"Light."}},
        {Panel, idBrightFrame, 0, 280, 34, 30, 260},
        {Custom, idBright, idBrightFrame, 2, 2, 26, 256},
        {Label, 0, 0, 320, 18, 30, 14, {L"Sätt.", L"Sat."}},
        {Panel, idSatFrame, 0, 320, 34, 30, 260},
        {Custom, idSat, idSatFrame, 2, 2, 26, 256},
        {Label, 0, 0, 361, 18, 49, 14, {L"Neu", L"New"}},
        {Custom, idColorNew, 0, 361, 34, 49, 49},
        {Label, 0, 0, 416, 18, 49, 14, {L"Aktuell", L"Current"}},
        {Custom,
         idColorOld,
         0,
         416,
         34,
         49,
         49,
         NoText,
         {L"Aktuelle Farbe als neue Farbe festlegen", L"Make the current color the new color"}},
        {Label, idDefColorLabel, 0, 472, 18, 49, 14, {L"Standard", L"Default"}},
        {Custom,
         idDefColor,
         0,
         472,
         34,
         49,
         49,
         NoText,
         {L"Standardfarbe als neue Farbe festlegen", L"Make the default color the new color"}},
        // The value panel.
        {Panel, idValuePanel, 0, 360, 91, 263, 203},
        {Label, 0, idValuePanel, 8, 13, 34, 14, {L"Rot", L"Red"}},
        {Edit, idRed, idValuePanel, 44, 10, 46, 21, NoText, NoText, 3, 255},
        {Label, 0, idValuePanel, 8, 39, 34, 14, {L"Grün", L"Green"}},
        {Edit, idGreen, idValuePanel, 44, 36, 46, 21, NoText, NoText, 3, 255},
        {Label, 0, idValuePanel, 8, 65, 34, 14, {L"Blau", L"Blue"}},
        {Edit, idBlue, idValuePanel, 44, 62, 46, 21, NoText, NoText, 3, 255},
        {Label, 0, idValuePanel, 98, 13, 12, 14, Same(L"H")},
        {Edit, idH, idValuePanel, 112, 10, 50, 21, NoText, {L"Hue/Farbton", L"Hue"}, 5, 99},
        {Label, 0, idValuePanel, 98, 39, 12, 14, Same(L"S")},
        {Edit,
         idS,
         idValuePanel,
         112,
         36,
         50,
         21,
         NoText,
         {L"Saturation/Sättigung", L"Saturation"},
         5,
         100},
        {Label, 0, idValuePanel, 165, 39, 14, 14, Same(L"%")},
        {Label, 0, idValuePanel, 98, 65, 12, 14, Same(L"L")},
        {Edit,
         idL,
         idValuePanel,
         112,
         62,
         50,
         21,
         NoText,
         {L"Luminance/Helligkeit", L"Luminance"},
         5,
         100},
        {Label, 0, idValuePanel, 165, 65, 14, 14, Same(L"%")},
        {Label, 0, idValuePanel, 186, 13, 12, 14, Same(L"C")},
        {Edit, idC, idValuePanel, 200, 10, 54, 21, NoText, Same(L"Cyan"), 3, 255},
        {Label, 0, idValuePanel, 186, 39, 12, 14, Same(L"M")},
        {Edit, idM, idValuePanel, 200, 36, 54, 21, NoText, Same(L"Magenta"), 3, 255},
        {Label, 0, idValuePanel, 186, 65, 12, 14, Same(L"Y")},
        {Edit, idY, idValuePanel, 200, 62, 54, 21, NoText, {L"Yellow/Gelb", L"Yellow"}, 3, 255},
        {Label, 0, idValuePanel, 186, 91, 12, 14, Same(L"K")},
        {Edit,
         idK,
         idValuePanel,
         200,
         88,
         54,
         21,
         NoText,
         {L"Key plate / Schwarz", L"Key plate (black)"},
         3,
         255},
        {Label, idRGBText, idValuePanel, 8, 123, 74, 14, Same(L"Hex (RGB)")},
        // One more than six: "#RRGGBB" as the copy button writes it pastes back.
        {Edit, idColorRGB, idValuePanel, 84, 120, 70, 21, NoText, NoText, 7},
        {Button,
         idCopyRGB,
         idValuePanel,
         158,
         120,
         23,
         21,
         {L"Kopieren", L"Copy"},
         {L"Farbe in Zwischenablage kopieren", L"Copy the color to the clipboard"}},
        {Check,
         idRGBwithNumSign,
         idValuePanel,
         188,
         122,
         66,
         17,
         {L"mit #", L"with #"},
         {L"Farbwert mit vorangestellten #-Zeichen kopieren",
          L"Copy the color value with a leading #"}},
        {Label, 0, idValuePanel, 8, 151, 74, 14, Same(L"Hex (BGR)")},
        {Edit, idColorBGR, idValuePanel, 84, 148, 70, 21, NoText, NoText, 6},
        {Button,
         idCopyBGR,
         idValuePanel,
         158,
         148,
         23,
         21,
         {L"Kopieren", L"Copy"},
         {L"Farbe in Zwischenablage kopieren", L"Copy the color to the clipboard"}},
        {Label, 0, idValuePanel, 8, 179, 74, 14, {L"Dezimal", L"Decimal"}},
        {Edit, idColorDec, idValuePanel, 84, 176, 70, 21, NoText, NoText, 8},
        {Button,
         idCopyDec,
         idValuePanel,
         158,
         176,
         23,
         21,
         {L"Kopieren", L"Copy"},
         {L"Farbe in Zwischenablage kopieren", L"Copy the color to the clipboard"}},
    };
    static const std::vector<TRow> pageButtons{
        {Button,
         idColCapture,
         0,
         8,
         306,
         84,
         25,
         {L"&Einfangen...", L"&Capture..."},
         {L"Farbe vom Bildschirm per Mausklick einfangen",
          L"Capture a color from the screen with a mouse click"}},
        {Button,
         idLoadImg,
         0,
         96,
         306,
         84,
         25,
         {L"Bild &laden...", L"&Load image..."},
         {L"Bilddatei laden, um aus dieser eine Farbe auszuwählen",
          L"Load an image file to pick a color from it"}},
        {Button,
         idSetUserColor,
         0,
         184,
         306,
         84,
         25,
         {L"Zuweisen", L"Assign"},
         {L"Ausgewählte Farbe in Benutzer-Palette einfügen",
          L"Put the chosen color into the user palette"}},
    };
    static const std::vector<TRow> closeButtons{
        {Button, idOK, 0, OkLeft, ButtonRowTop, 75, 25, Same(L"OK")},
        {Button, idCancel, 0, CancelLeft, ButtonRowTop, 75, 25, {L"Abbrechen", L"Cancel"}},
    };
    // The CSS, contrast and history groups come after the buttons under the
    // pages and before "OK" / "Schließen", in the tab order as on the screen.
    static const std::vector<TRow> rows = [] {
        std::vector<TRow> all = classic;
        all.insert(all.end(), pageButtons.begin(), pageButtons.end());
        const auto css = CssColorFormRows();
        all.insert(all.end(), css.begin(), css.end());
        all.insert(all.end(), closeButtons.begin(), closeButtons.end());
        return all;
    }();
    return rows;
}

int RowId(const TRow& row, std::size_t index) {
    return row.Id ? row.Id : idFirstLabel + static_cast<int>(index);
}

bool IsCopyButton(int id) {
    return id == idCopyRGB || id == idCopyBGR || id == idCopyDec ||
           (id >= idCopyCssHex && id <= idCopyCssName);
}

bool IsUpperCaseField(int id) {
    return id == idColorRGB || id == idColorBGR;
}

} // namespace

HWND TMVColorForm::ParentOf(int parentId) const {
    return parentId == 0 ? Handle() : Item(parentId);
}

void TMVColorForm::CreateControls() {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    const auto& rows = Rows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const TRow& row = rows[i];
        const int id = RowId(row, i);
        const HWND parent = ParentOf(row.Parent);
        const Rect zero{0, 0, row.W, row.H}; // placed by LayoutControls
        const auto create = [&](const wchar_t* cls, DWORD style, DWORD exStyle = 0) {
            return ::CreateWindowExW(
                exStyle, cls, row.Text(), WS_CHILD | WS_VISIBLE | style, 0, 0, row.W, row.H, parent,
                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
        };
        HWND wnd = nullptr;
        switch (row.Kind) {
        case TKind::Label:
            wnd = create(WC_STATICW, SS_LEFT | SS_NOPREFIX);
            break;
        case TKind::ReadOnlyEdit:
            wnd = create(WC_EDITW, WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY, WS_EX_CLIENTEDGE);
            break;
        case TKind::Group:
            // Transparent: the form, which clips its children, paints the
            // group's inside; the group draws only its frame and caption.
            wnd = create(WC_BUTTONW, BS_GROUPBOX, WS_EX_TRANSPARENT);
            break;
        case TKind::Note:
            wnd = create(WC_STATICW, SS_LEFT | SS_NOPREFIX);
            break;
        case TKind::HistoryCell:
            // One tab stop for the row of cells; the arrow keys move in it.
            wnd = create(WC_BUTTONW,
                         BS_OWNERDRAW | (id == idHistoryFirst ? WS_TABSTOP | WS_GROUP : 0));
            break;
        case TKind::Edit: {
            wnd = create(WC_EDITW,
                         WS_TABSTOP | ES_AUTOHSCROLL | (IsUpperCaseField(id) ? ES_UPPERCASE : 0),
                         WS_EX_CLIENTEDGE);
            ::SendMessageW(wnd, EM_LIMITTEXT, static_cast<WPARAM>(row.MaxLength), 0);
            if (id == idCssInput) {
                ::SetWindowSubclass(wnd, &TMVColorForm::CssInputKeys, static_cast<UINT_PTR>(id),
                                    reinterpret_cast<DWORD_PTR>(this));
                break;
            }
            if (row.UpDownMax >= 0) {
                const HWND upDown = ::CreateWindowExW(
                    0, UPDOWN_CLASSW, L"",
                    WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_SETBUDDYINT |
                        UDS_NOTHOUSANDS,
                    0, 0, 0, 0, parent,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id + idUpDownOffset)), instance,
                    nullptr);
                ::SendMessageW(upDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(wnd), 0);
                ::SendMessageW(upDown, UDM_SETRANGE32, 0, row.UpDownMax);
                m_items[id + idUpDownOffset] = upDown;
            }
            ::SetWindowSubclass(wnd, &TMVColorForm::FieldKeyFilter, static_cast<UINT_PTR>(id),
                                reinterpret_cast<DWORD_PTR>(this));
            break;
        }
        case TKind::Button:
            // "OK" ends the arrow keys' group of the history cells before it.
            wnd = create(WC_BUTTONW,
                         WS_TABSTOP | (id == idOK ? BS_DEFPUSHBUTTON | WS_GROUP : BS_PUSHBUTTON) |
                             (IsCopyButton(id) ? BS_BITMAP : 0) |
                             (id == idPickBackground ? BS_ICON : 0));
            break;
        case TKind::Check:
            wnd = create(WC_BUTTONW, WS_TABSTOP | BS_AUTOCHECKBOX);
            break;
        case TKind::Combo:
            wnd = create(WC_COMBOBOXW, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST);
            for (const TColorPageRow& page : ColorPages())
                ::SendMessageW(wnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(page.ListEntry()));
            break;
        case TKind::Panel: {
            TPanel* panel = id == idPageArea      ? &m_pageArea
                            : id == idValuePanel  ? &m_valuePanel
                            : id == idBrightFrame ? &m_brightFrame
                            : id == idSatFrame
                                ? &m_satFrame
                                : &m_pages[static_cast<std::size_t>(id - idPageFirst)];
            const auto bevel = id == idPageArea || id == idBrightFrame || id == idSatFrame
                                   ? TPanel::TBevel::Framed
                               : id == idValuePanel ? TPanel::TBevel::Lowered
                                                    : TPanel::TBevel::None;
            panel->Create(parent, id, zero, bevel);
            if (id >= idPageFirst && id <= idPageLast) ::ShowWindow(panel->Handle(), SW_HIDE);
            wnd = panel->Handle();
            break;
        }
        case TKind::Custom: {
            // The pictures and swatches, each with what screen readers call it.
            const std::map<int, std::pair<TImagePanel*, LocalText>> pictures{
                {idSpectrum, {&ImgColorPalette, {L"16,7 Mio. Farben", L"16.7 million colors"}}},
                {idBright, {&ImgBrightPalette, {L"Helligkeit", L"Brightness"}}},
                {idSat, {&ImgSatPalette, {L"Sättigung", L"Saturation"}}}};
            const std::map<int, std::pair<TColorSwatch*, LocalText>> swatches{
                {idColorNew, {&pColorNew, {L"Neu", L"New"}}},
                {idColorOld, {&pColorOld, {L"Aktuell", L"Current"}}},
                {idDefColor, {&pDefColor, {L"Standard", L"Default"}}},
                {idForeground, {&m_foreground, {L"Vordergrund", L"Foreground"}}},
                {idBackground, {&m_backgroundSwatch, {L"Hintergrund", L"Background"}}}};
            if (const auto picture = pictures.find(id); picture != pictures.end()) {
                picture->second.first->Create(parent, id, picture->second.second(), zero);
                wnd = picture->second.first->Handle();
                break;
            }
            if (const auto swatch = swatches.find(id); swatch != swatches.end()) {
                swatch->second.first->Create(parent, id, swatch->second.second(), zero);
                wnd = swatch->second.first->Handle();
                break;
            }
            switch (id) {
            case idContrastSample:
                m_sample.Create(parent, id, kSampleText(), zero);
                wnd = m_sample.Handle();
                break;
            case idUserImageBox:
                m_userBox.Create(parent, id, zero);
                ImgCustomPalette.Create(m_userBox.Handle(), idCustomPalette, kUserImage(), zero);
                ::ShowWindow(ImgCustomPalette.Handle(), SW_HIDE); // until a picture is loaded
                m_items[idCustomPalette] = ImgCustomPalette.Handle();
                wnd = m_userBox.Handle();
                break;
            case idPickerHarmonic:
                PickerHarmonic.Create(parent, {row.X, row.Y, row.X + row.W, row.Y + row.H}, Dpi());
                wnd = PickerHarmonic.Handle();
                break;
            default: {
                // What screen readers call each palette.
                static const std::map<int, LocalText> names{
                    {idColorPal256, {L"256 Farben", L"256 colors"}},
                    {idColorPal8, {L"8 Farben", L"8 colors"}},
                    {idColorPal16, {L"16 Farben", L"16 colors"}},
                    {idColorPalWin, {L"Grundfarben", L"Basic colors"}},
                    {idColorPalWeb216, {L"216 Webfarben", L"216 web colors"}},
                    {idColorPalWeb120, {L"120 Webfarben", L"120 web colors"}},
                    {idColorPalCreme, {L"Cremefarben", L"Cream colors"}},
                    {idColorPalWordVista, LocalText::Neutral(L"Office")},
                    {idColorPalUser, {L"Benutzer-Palette", L"User palette"}}};
                auto palette = std::make_unique<TColorPalControl>();
                palette->Create(parent, id, names.at(id)(), zero, Dpi());
                wnd = palette->Handle();
                m_palettes[id] = std::move(palette);
                break;
            }
            }
            break;
        }
        }
        m_items[id] = wnd;
        if (*row.Hint()) m_hints.Add(wnd, row.Hint());
    }
    CreateCopyGlyph();
    LoadCssIcons();
    LayoutControls();
    ApplyFonts();
}

void TMVColorForm::LayoutControls() {
    const int dpi = static_cast<int>(Dpi());
    const auto scaled = [dpi](int v) { return ::MulDiv(v, dpi, 96); };
    const auto& rows = Rows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const TRow& row = rows[i];
        const int id = RowId(row, i);
        // Buttons at the bottom move when only "Schließen" is shown.
        int x = row.X;
        if (id == idOK && m_onlyCloseBtn) x = CancelLeft;
        const Rect bounds{scaled(x), scaled(row.Y), scaled(x + row.W), scaled(row.Y + row.H)};
        if (id == idPickerHarmonic) {
            PickerHarmonic.SetDpi(Dpi(), {row.X, row.Y, row.X + row.W, row.Y + row.H});
            continue;
        }
        if (const auto palette = m_palettes.find(id); palette != m_palettes.end()) {
            palette->second->SetBounds(bounds, Dpi());
            continue;
        }
        ::SetWindowPos(Item(id), nullptr, bounds.Left, bounds.Top, bounds.Right - bounds.Left,
                       bounds.Bottom - bounds.Top, SWP_NOZORDER | SWP_NOACTIVATE);
        if (row.UpDownMax >= 0) // the up-down follows its field
            ::SendMessageW(Item(id + idUpDownOffset), UDM_SETBUDDY,
                           reinterpret_cast<WPARAM>(Item(id)), 0);
    }
    // The pictures follow the size they are shown at.
    const Size spectrum{scaled(256), scaled(256)};
    if (ImgColorPalette.Image().Width != spectrum.Width)
        ImgColorPalette.SetImage(SpectrumImage(spectrum.Width, spectrum.Height));
    for (TImagePanel* bar : {&ImgBrightPalette, &ImgSatPalette})
        bar->SetImage(TRGBImage(scaled(26), scaled(256)));
    if (ChangeAllow) UpdatePalettes();
}

void TMVColorForm::CreateCopyGlyph() {
    // Two sheets, one over the other: the usual picture for "copy".
    const int size = ::MulDiv(14, static_cast<int>(Dpi()), 96);
    TRGBImage glyph(size, size, {0xF0, 0xF0, 0xF0});
    const auto sheet = [&](int left, int top, int right, int bottom) {
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x) {
                const bool edge = x == left || x == right || y == top || y == bottom;
                glyph.At(x, y) = edge ? TRGBTriple{0x40, 0x40, 0x40} : TRGBTriple{0xFF, 0xFF, 0xFF};
            }
    };
    const int s = size - 1, offset = size * 4 / 14;
    sheet(0, 0, s - offset, s - offset);
    sheet(offset, offset, s, s);
    m_copyGlyph = CreateBitmapFromImage(glyph);
    for (const auto& [id, wnd] : m_items)
        if (IsCopyButton(id))
            ::SendMessageW(wnd, BM_SETIMAGE, IMAGE_BITMAP,
                           reinterpret_cast<LPARAM>(m_copyGlyph.Get()));
}

void TMVColorForm::ApplyFonts() {
    const HFONT font = CachedFont(GetSysGuiFont(Dpi()));
    for (const auto& [id, wnd] : m_items)
        ::SendMessageW(wnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}
