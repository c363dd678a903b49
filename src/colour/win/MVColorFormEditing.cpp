// How the colour window keeps its one colour and every view of it in step:
// the colour update, the bars, picking with the mouse, typing, copying.
#include "colour/win/MVColorForm.h"

#include "util/win/Clipboard.h"
#include "util/win/Controls.h"

#include <commctrl.h>

#include <algorithm>

namespace {

// The palettes whose highlight follows the colour, in this order.
constexpr int FollowingPalettes[] = {idColorPal256,      idColorPal16,     idColorPal8,
                                     idColorPalWin,      idColorPalWeb120, idColorPalCreme,
                                     idColorPalWordVista};

bool IsChannelField(int id) {
    return id == idRed || id == idGreen || id == idBlue;
}
bool IsHSLField(int id) {
    return id == idH || id == idS || id == idL;
}
bool IsCMYKField(int id) {
    return id == idC || id == idM || id == idY || id == idK;
}

// Runs f with the flag set to value, restored afterwards, also after an error.
template <typename F> void WithFlag(bool& flag, bool value, F&& f) {
    const bool old = flag;
    flag = value;
    try {
        f();
    } catch (...) {
        flag = old;
        throw;
    }
    flag = old;
}

void SetTextIfDifferent(HWND wnd, const std::wstring& text) {
    // Writing the same text would still move the caret of the field being typed in.
    if (WindowText(wnd) != text) ::SetWindowTextW(wnd, text.c_str());
}

} // namespace

void TMVColorForm::SetNewColor(int source, TColor value, bool clearFocus) {
    const auto update = [&] {
        const HWND focus = ::GetFocus();
        if (clearFocus &&
            (focus == Item(idColorRGB) || focus == Item(idColorBGR) || focus == Item(idColorDec)))
            ::SetFocus(Handle()); // leaving the field clears its "typing" flag
        FUserColor = EditableColor(value);
        pColorNew.SetColor(FUserColor);
        WriteFields(source, ColorFieldTexts(FUserColor, m_guards));
        for (int id : FollowingPalettes)
            m_palettes.at(id)->Pal().SetActiveColor(FUserColor);
        if (!ExtraPaletteIsChangeing) UpdatePalettes();
        if (source != idPickerHarmonic) PickerHarmonic.SetPickColor(FUserColor);
        WriteCssFields();
        WriteContrast();
    };
    WithFlag(ChangeAllow, false, update);
    ChangeAllow = true;
}

void TMVColorForm::WriteFields(int source, const TColorFieldTexts& texts) {
    // The field being typed in keeps its text; it is tidied when it is left.
    const auto number = [&](int id, int value) {
        if (id != source) SetFieldNumber(id, value);
    };
    number(idRed, texts.Red);
    number(idGreen, texts.Green);
    number(idBlue, texts.Blue);
    if (texts.RGB) SetTextIfDifferent(Item(idColorRGB), *texts.RGB);
    if (texts.BGR) SetTextIfDifferent(Item(idColorBGR), *texts.BGR);
    if (texts.Dec) SetTextIfDifferent(Item(idColorDec), *texts.Dec);
    if (texts.HSL) {
        number(idH, (*texts.HSL)[0]);
        number(idS, (*texts.HSL)[1]);
        number(idL, (*texts.HSL)[2]);
    }
    if (texts.CMYK) {
        number(idC, texts.CMYK->C);
        number(idM, texts.CMYK->M);
        number(idY, texts.CMYK->Y);
        number(idK, texts.CMYK->K);
    }
}

void TMVColorForm::SetFieldNumber(int id, int value) {
    // Edit controls are slow to take new text: an unchanged value is not
    // written, and the up-down writes a changed one itself.
    const HWND upDown = Item(id + idUpDownOffset);
    int lower = 0, upper = 0;
    ::SendMessageW(upDown, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower),
                   reinterpret_cast<LPARAM>(&upper));
    const int shown = std::clamp(value, lower, upper);
    const std::wstring text = std::to_wstring(shown);
    if (ItemText(id) == text) return;
    ::SendMessageW(upDown, UDM_SETPOS32, 0, shown);
    SetTextIfDifferent(Item(id), text);
}

void TMVColorForm::UpdatePalettes() {
    const int markerSize = ::MulDiv(BarMarkerSize, static_cast<int>(Dpi()), 96);
    const auto fill = [markerSize](TImagePanel& bar, const TBarColors& colors) {
        TRGBImage image = bar.Image();
        GradFill3Colors(image, colors.Top, colors.Middle, colors.Bottom);
        bar.SetImage(std::move(image));
        bar.SetMarker(CentredBarMarker({bar.Image().Width, bar.Image().Height}, markerSize),
                      markerSize);
    };
    fill(ImgSatPalette, SaturationBarColors(FUserColor));
    fill(ImgBrightPalette, BrightnessBarColors(FUserColor));
}

void TMVColorForm::PickFromImage(TImagePanel& panel, TImagePanel::TMouse what, Point point) {
    if (what == TImagePanel::TMouse::Up) {
        if (Down) AddToHistory(FUserColor); // where the drag ended
        Down = false;
        return;
    }
    if (what == TImagePanel::TMouse::Down) Down = true;
    if (!Down || !panel.HasImage()) return;
    const TRGBImage& image = panel.Image();
    const Size size{image.Width, image.Height};
    // The spectrum keeps a drag on its edge; a loaded picture takes only its own pixels.
    if (&panel == &ImgCustomPalette && ClampToImage(point, size) != point) return;
    const Point at = ClampToImage(point, size);
    SetNewColor(panel.Handle() == ImgColorPalette.Handle() ? idSpectrum : idCustomPalette,
                RGBTripleToColor(image.At(at.X, at.Y)), true);
}

void TMVColorForm::PickFromBar(TImagePanel& bar, TImagePanel::TMouse what, Point point) {
    if (what == TImagePanel::TMouse::Up) {
        if (Down) AddToHistory(FUserColor);
        Down = false;
        ExtraPaletteIsChangeing = false;
        return;
    }
    if (what == TImagePanel::TMouse::Down) {
        Down = true;
        ExtraPaletteIsChangeing = true;
    }
    if (!Down || !bar.HasImage()) return;
    // The bars keep their gradient while dragging; only the marker follows.
    const Size size{bar.Image().Width, bar.Image().Height};
    const int markerSize = ::MulDiv(BarMarkerSize, static_cast<int>(Dpi()), 96);
    bar.SetMarker(DraggedBarMarker(size, point.Y, markerSize), markerSize);
    const Point at = BarPickPoint(size, point.Y);
    SetNewColor(&bar == &ImgSatPalette ? idSat : idBright,
                RGBTripleToColor(bar.Image().At(at.X, at.Y)), true);
}

void TMVColorForm::OnFieldChanged(int id) {
    if (IsChannelField(id)) {
        if (!ChangeAllow) return;
        const TColor color = static_cast<TColor>(ChannelFromText(ItemText(idRed)) |
                                                 ChannelFromText(ItemText(idGreen)) << 8 |
                                                 ChannelFromText(ItemText(idBlue)) << 16);
        SetNewColor(id, color, true);
    } else if (IsHSLField(id)) {
        if (!ChangeAllow) return;
        WithFlag(m_guards.AllowSetHSL, false, [&] {
            SetNewColor(id, ColorFromHSLTexts(ItemText(idH), ItemText(idS), ItemText(idL)), true);
        });
    } else if (IsCMYKField(id)) {
        if (!ChangeAllow) return;
        WithFlag(m_guards.AllowSetCMYK, false, [&] {
            SetNewColor(
                id, ColorFromCMYKTexts(ItemText(idC), ItemText(idM), ItemText(idY), ItemText(idK)),
                true);
        });
    } else if (id == idColorRGB && m_guards.ChangeByUserRGB) {
        ApplyTypedColor(id, ParseRGBField(ItemText(id)));
    } else if (id == idColorBGR && m_guards.ChangeByUserBGR) {
        ApplyTypedColor(id, ParseBGRField(ItemText(id)));
    } else if (id == idColorDec && m_guards.ChangeByUserDec) {
        ApplyTypedColor(id, ParseDecField(ItemText(id)));
    }
}

void TMVColorForm::ApplyTypedColor(int id, const TTypedColor& typed) {
    if (typed.Error) {
        ShowError(*typed.Error);
        return;
    }
    SetNewColor(id, typed.Color, false);
}

void TMVColorForm::OnFieldFocus(int id, bool entered) {
    if ((id >= idRed && id <= idK) || (id >= idColorRGB && id <= idColorDec)) {
        if (entered)
            TypingStarted();
        else
            TypingEnded();
    }
    if (id == idColorRGB) m_guards.ChangeByUserRGB = entered;
    if (id == idColorBGR) m_guards.ChangeByUserBGR = entered;
    if (id == idColorDec) m_guards.ChangeByUserDec = entered;
    if (!entered) {
        RewriteOnLeave(id);
        RewriteTextOnLeave(id);
    }
}

void TMVColorForm::RewriteTextOnLeave(int id) {
    // A valid partial text ("AB", "#12") shows the full form of its colour once
    // the field is left; an invalid one stays for the user to mend.
    const TColorFieldTexts texts = ColorFieldTexts(FUserColor, {});
    const std::wstring text = ItemText(id);
    const auto tidy = [&](const TTypedColor& typed, const std::wstring& full) {
        if (!typed.Error && typed.Color == FUserColor)
            WithFlag(ChangeAllow, false, [&] { SetTextIfDifferent(Item(id), full); });
    };
    if (id == idColorRGB) tidy(ParseRGBField(text), *texts.RGB);
    if (id == idColorBGR) tidy(ParseBGRField(text), *texts.BGR);
    if (id == idColorDec) tidy(ParseDecField(text), *texts.Dec);
}

void TMVColorForm::RewriteOnLeave(int id) {
    // A number typed beyond its range, or not a number, shows the value in
    // use once the field is left.
    const TColorFieldTexts texts = ColorFieldTexts(FUserColor, {});
    const std::map<int, int> values{{idRed, texts.Red},     {idGreen, texts.Green},
                                    {idBlue, texts.Blue},   {idH, (*texts.HSL)[0]},
                                    {idS, (*texts.HSL)[1]}, {idL, (*texts.HSL)[2]},
                                    {idC, texts.CMYK->C},   {idM, texts.CMYK->M},
                                    {idY, texts.CMYK->Y},   {idK, texts.CMYK->K}};
    const auto found = values.find(id);
    if (found == values.end() || ItemText(id) == std::to_wstring(found->second)) return;
    WithFlag(ChangeAllow, false, [&] { SetFieldNumber(id, found->second); });
}

void TMVColorForm::CopyField(int id) {
    const std::wstring text = id == idCopyRGB   ? CopyTextRGB(ItemText(idColorRGB), m_withNumSign)
                              : id == idCopyBGR ? CopyTextBGR(ItemText(idColorBGR))
                                                : CopyTextDec(ItemText(idColorDec));
    CopyTextToClipboard(Handle(), text);
}

LRESULT CALLBACK TMVColorForm::FieldKeyFilter(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam,
                                              UINT_PTR id, DWORD_PTR) {
    if (msg == WM_CHAR && (id == idColorRGB || id == idColorBGR || id == idColorDec)) {
        TKeyVerdict verdict = TKeyVerdict::Pass;
        if (id == idColorDec) {
            verdict = DecFieldKey(static_cast<wchar_t>(wParam));
        } else {
            // The text as it will be once the typed character replaces the selection.
            std::wstring text = WindowText(edit);
            DWORD start = 0, end = 0;
            ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                           reinterpret_cast<LPARAM>(&end));
            if (start <= end && end <= text.size()) text.erase(start, end - start);
            verdict = HexFieldKey(static_cast<wchar_t>(wParam), text);
        }
        if (verdict == TKeyVerdict::DropWithBeep) ::MessageBeep(MB_OK);
        if (verdict != TKeyVerdict::Pass) return 0;
    }
    if (msg == WM_NCDESTROY) ::RemoveWindowSubclass(edit, &TMVColorForm::FieldKeyFilter, id);
    return ::DefSubclassProc(edit, msg, wParam, lParam);
}
