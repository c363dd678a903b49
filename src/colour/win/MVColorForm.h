#pragma once
// The colour window "Farbauswahl": palettes, spectrum, bars, the harmonic
// picker, a loaded picture and the screen shot to choose a colour from, and
// every form of that colour to read, type and copy. One current colour; every
// view is drawn from it by the colour update.
#include "colour/ColorContrast.h"
#include "colour/ColorFormModel.h"
#include "colour/ColorHistory.h"
#include "colour/win/ColorPalControl.h"
#include "colour/win/ColorSwatch.h"
#include "colour/win/ContrastSample.h"
#include "colour/win/ImagePanel.h"
#include "colour/win/MVColorFormIds.h"
#include "colour/win/ScrollBox.h"
#include "colour/win/ajColorPicker.h"
#include "storage/MvIni.h"
#include "util/win/CoolTrayIcon.h"
#include "util/win/DialogWindow.h"
#include "util/win/Hints.h"
#include "util/win/Panel.h"

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class TMVColorForm : public DialogWindow {
  public:
    using TNotifyEvent = std::function<void()>;

    TMVColorForm();
    ~TMVColorForm() override;

    // Creates the window hidden, centred on the screen, owned by owner.
    void Create(HWND owner);

    // The colour to start from: the current colour and the "Aktuell" panel.
    void SetUserColor(TColor value);
    TColor GetUserColor() const { return FUserColor; }
    // One "Schließen" button in the place of "Abbrechen".
    void SetOnlyCloseBtn(bool value);
    // The RGB field's label becomes text + " (RGB)".
    void SetRGBText(const std::wstring& text);

    // Shows the window without waiting.
    void ShowNonModal();
    // Shows it with its owner disabled until it ends; the result is IDOK or IDCANCEL.
    int ShowModal();
    bool Modal() const { return m_modal; }
    void BringToFront();

    // Copied from the component.
    std::wstring FIniName;
    TMvIniFormat FIniFormat = sifUnicode;
    bool FPickerIcon = true;
    TColor FDefaultColor = clNone;
    std::wstring FUserImage;
    TNotifyEvent FOnBeforePickColor;
    TNotifyEvent FOnAfterPickColor;
    // The window closed (not modal); the handler releases it.
    TNotifyEvent FOnCloseHandler;

    // Commands.
    void btnColCaptureClick();
    void btnLoadImgClick();
    void btnSetUserColorClick();
    void btnOKClick();
    void cbPalNameChange();
    bool LoadUserImage(const std::wstring& fileName);

    // The colour update every way of choosing a colour ends in. source is the
    // control that chose it (0: none); clearFocus takes the focus out of the
    // three text fields so they are rewritten too.
    void SetNewColor(int source, TColor value, bool clearFocus);
    void SetNewColor(TColor value) { SetNewColor(0, value, true); }

    // The group "Kontrast": the colour the current one is measured against.
    void SetBackground(TColor color);
    TColor Background() const { return m_background; }
    // The last colours taken, newest first; a taken colour goes first.
    void AddToHistory(TColor color);
    const std::vector<TColor>& History() const { return m_history.Colors(); }

    // The test channel's view.
    int ActivePage() const { return m_page; }
    bool ShotRunning() const { return m_shotRunning; }
    const TColorPalControl* Palette(int id) const;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    HBRUSH ControlBackground(UINT kind, HWND control, HDC dc) override;
    void OnCloseRequest() override { Dismiss(IDCANCEL); }
    void PaintContent(HDC dc, const Rect& area) override;
    void OnDpiChanged(UINT dpi, const RECT& suggested) override;

  private:
    // Building and laying out (MVColorFormLayout.cpp).
    void CreateControls();
    void LayoutControls();
    HWND ParentOf(int parentId) const;
    void CreateCopyGlyph();
    void ApplyFonts();

    // Showing and closing (MVColorForm.cpp).
    void FormShow();
    void ShowPage(int page);
    void CloseWindow();
    // Ends the modal dialog with result, or closes the window that is not modal.
    void Dismiss(int result);
    void StoreSettings();
    void OnCommand(int id, int code, HWND control);

    // Editing (MVColorFormEditing.cpp).
    void WriteFields(int source, const TColorFieldTexts& texts);
    void SetFieldNumber(int id, int value);
    void UpdatePalettes();
    void OnFieldChanged(int id);
    void OnFieldFocus(int id, bool entered);
    void RewriteOnLeave(int id);
    void RewriteTextOnLeave(int id);
    void CopyField(int id);
    void PickFromImage(TImagePanel& panel, TImagePanel::TMouse what, Point point);
    void PickFromBar(TImagePanel& bar, TImagePanel::TMouse what, Point point);
    void ApplyTypedColor(int id, const TTypedColor& typed);
    void ShowError(const std::wstring& text);
    // The screen colour shot with the ruler's windows hidden around it; the
    // picked colour, or none when it was cancelled.
    std::optional<TColor> RunShot();

    // CSS, contrast and history (MVColorFormCss.cpp).
    void WriteCssFields();
    void WriteContrast();
    void ShowHistory();
    void DrawHistoryCell(const DRAWITEMSTRUCT& item);
    void OnCssCommand(int id, int code);
    void CopyCssField(int id);
    void SwapColors();
    void PickBackground();
    void OnPaletteClick(TColorPal& sender, int id);
    // Typing: the colour when a typed field was entered; leaving it (or
    // confirming with Enter) takes what was typed into the history.
    void TypingStarted();
    void ConfirmTyping();
    void TypingEnded();
    void KeepColorBeforeTyping();
    void ReadCssInput(bool confirmed);
    std::vector<TColor> PreferredColors() const;
    void SetCssNote(const std::wstring& note);
    HBRUSH VerdictColors(HWND control, HDC dc) const;
    void LoadCssIcons();
    static LRESULT CALLBACK CssInputKeys(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR form);
    static LRESULT CALLBACK FieldKeyFilter(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR id, DWORD_PTR form);
    HWND Item(int id) const;
    std::wstring ItemText(int id) const;

    // State.
    bool Down = false;
    bool ExtraPaletteIsChangeing = false;
    bool ChangeAllow = false;
    TColor FUserColor = clBlack;
    TColor m_oldColor = clBlack;
    TColorEditGuards m_guards;
    bool m_modal = false;
    bool m_closing = false;
    bool m_onlyCloseBtn = false;
    bool m_shotRunning = false;
    int m_page = static_cast<int>(TColorPage::Harmonic);
    bool m_withNumSign = true;

    // Controls.
    std::map<int, HWND> m_items;
    TPanel m_pageArea, m_valuePanel, m_brightFrame, m_satFrame;
    std::array<TPanel, ColorPageCount> m_pages;
    TImagePanel ImgColorPalette, ImgBrightPalette, ImgSatPalette, ImgCustomPalette;
    TColorSwatch pColorNew, pColorOld, pDefColor;
    TScrollBox m_userBox;
    std::map<int, std::unique_ptr<TColorPalControl>> m_palettes;
    TajColorPicker PickerHarmonic;
    THints m_hints;
    std::unique_ptr<TCoolTrayIcon> TrayIcon;
    UniqueHBitmap m_copyGlyph;
    HCURSOR m_eyedrop = nullptr;

    // CSS, contrast and history.
    TColorHistory m_history;
    TColor m_background = clWhite;
    bool m_cssUpper = false;
    TColor m_colorAtFocus = clNone; // clNone: no typed field has the focus
    bool m_paletteTook = false;     // a palette press chose a colour
    TContrastVerdicts m_verdicts;
    TColorSwatch m_foreground, m_backgroundSwatch;
    TContrastSample m_sample;
};
