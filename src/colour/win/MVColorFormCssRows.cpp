// The rows of the colour window's groups "CSS", "Kontrast" and "Verlauf":
// below the pages and fields of the classic window, and in a column to their
// right. Each field's label stands directly before it, so that screen readers
// read the field by its label.
#include "colour/win/MVColorFormIds.h"
#include "colour/win/MVColorFormRows.h"

#include <vector>

namespace {

using enum TColorFormKind;

constexpr int CssTop = 338;
constexpr int CssRowTop = CssTop + 16;
constexpr int CssPitch = 23;
constexpr int RightColumn = 631;
constexpr int HistoryTop = CssTop;
consteval LocalText Same(const wchar_t* text) {
    return LocalText::Neutral(text);
}
constexpr LocalText CopyHint{L"In die Zwischenablage kopieren", L"Copy to the clipboard"};

constexpr int RowY(int row) {
    return CssRowTop + row * CssPitch;
}

// Label, read-only field and copy button of one notation. The left column
// holds HEX to HWB, the right one Lab to OKLCh.
struct TNotationPlace {
    LocalText Label;
    LocalText CopyText;
    int Column; // 0 left, 1 right
    int Row;
};

std::vector<TColorFormRow> Build() {
    static const TNotationPlace notations[] = {
        {Same(L"HEX"), {L"HEX kopieren", L"Copy HEX"}, 0, 0},
        {Same(L"RGB"), {L"RGB kopieren", L"Copy RGB"}, 0, 1},
        {Same(L"HSL"), {L"HSL kopieren", L"Copy HSL"}, 0, 2},
        {Same(L"HWB"), {L"HWB kopieren", L"Copy HWB"}, 0, 3},
        {Same(L"Lab"), {L"Lab kopieren", L"Copy Lab"}, 1, 0},
        {Same(L"LCh"), {L"LCh kopieren", L"Copy LCh"}, 1, 1},
        {Same(L"OKLab"), {L"OKLab kopieren", L"Copy OKLab"}, 1, 2},
        {Same(L"OKLCh"), {L"OKLCh kopieren", L"Copy OKLCh"}, 1, 3},
        {Same(L"Name"), {L"Name kopieren", L"Copy name"}, 0, 4},
    };
    std::vector<TColorFormRow> rows{{Group, idCssGroup, 0, 8, CssTop, 615, 160, Same(L"CSS")}};
    for (int i = 0; i < 9; ++i) {
        const TNotationPlace& n = notations[i];
        const int y = RowY(n.Row);
        const int label = n.Column == 0 ? 16 : 312, field = n.Column == 0 ? 58 : 358;
        const int width = n.Column == 0 ? 216 : 230;
        rows.push_back({Label, 0, 0, label, y + 3, field - label - 2, 14, n.Label});
        rows.push_back({ReadOnlyEdit, idCssHex + i, 0, field, y, width, 21});
        rows.push_back(
            {Button, idCopyCssHex + i, 0, field + width + 3, y, 23, 21, n.CopyText, CopyHint});
    }
    const std::vector<TColorFormRow> rest{
        {Check,
         idCssHexUpper,
         0,
         58,
         RowY(5) + 2,
         216,
         17,
         {L"HEX in Großbuchstaben", L"HEX in capitals"},
         {L"Die CSS-Schreibweise #RRGGBB in Großbuchstaben",
          L"The CSS notation #RRGGBB in capitals"}},
        {Label, 0, 0, 312, RowY(4) + 3, 70, 14, {L"CSS-Eingabe", L"CSS input"}},
        {Edit,
         idCssInput,
         0,
         384,
         RowY(4),
         230,
         21,
         Same(L""),
         {L"Eine CSS-Farbe eintippen oder einfügen, z. B. #1e50b4, rgb(30 80 180), "
          L"oklch(0.461 0.168 262.1) oder royalblue",
          L"Type or paste a CSS color, e.g. #1e50b4, rgb(30 80 180), oklch(0.461 0.168 262.1) "
          L"or royalblue"},
         200},
        {Note, idCssNote, 0, 312, RowY(5) - 1, 302, 26},

        {Group,
         idContrastGroup,
         0,
         RightColumn,
         8,
         206,
         HistoryTop - 16,
         {L"Kontrast", L"Contrast"}},
        {Label, 0, 0, 639, 29, 70, 14, {L"Vordergrund", L"Foreground"}},
        {Custom, idForeground, 0, 712, 26, 40, 21},
        {Button,
         idSwapColors,
         0,
         758,
         25,
         71,
         23,
         {L"Tauschen", L"Swap"},
         {L"Vorder- und Hintergrundfarbe tauschen", L"Swap the foreground and background colors"}},
        {Label, 0, 0, 639, 55, 70, 14, {L"Hintergrund", L"Background"}},
        {Custom, idBackground, 0, 712, 52, 40, 21},
        {Button,
         idPickBackground,
         0,
         758,
         51,
         23,
         23,
         {L"Hintergrund einfangen", L"Capture background"},
         {L"Hintergrundfarbe vom Bildschirm einfangen (Umschalt+Klick auf eine Palettenfarbe "
          L"setzt sie auch)",
          L"Capture the background color from the screen (Shift+click on a palette color sets it "
          L"too)"}},
        {Label, 0, 0, 639, 83, 70, 14, {L"Kontrast", L"Contrast"}},
        {ReadOnlyEdit, idContrastRatio, 0, 712, 80, 80, 21},
        {Label, 0, 0, 639, 108, 100, 14, {L"Normaler Text AA", L"Normal text AA"}},
        {Label, idVerdictNormalAA, 0, 742, 108, 88, 14},
        {Label, 0, 0, 639, 124, 100, 14, {L"Normaler Text AAA", L"Normal text AAA"}},
        {Label, idVerdictNormalAAA, 0, 742, 124, 88, 14},
        {Label, 0, 0, 639, 140, 100, 14, {L"Großer Text AA", L"Large text AA"}},
        {Label, idVerdictLargeAA, 0, 742, 140, 88, 14},
        {Label, 0, 0, 639, 156, 100, 14, {L"Großer Text AAA", L"Large text AAA"}},
        {Label, idVerdictLargeAAA, 0, 742, 156, 88, 14},
        {Custom, idContrastSample, 0, 639, 176, 190, HistoryTop - 16 - 176},

        {Group, idHistoryGroup, 0, RightColumn, HistoryTop, 206, 74, {L"Verlauf", L"History"}},
    };
    rows.insert(rows.end(), rest.begin(), rest.end());
    for (int i = 0; i < 16; ++i)
        rows.push_back({HistoryCell,
                        idHistoryFirst + i,
                        0,
                        641 + (i % 8) * 24,
                        HistoryTop + 18 + (i / 8) * 24,
                        20,
                        20,
                        Same(L""),
                        {L"Farbe aus dem Verlauf übernehmen", L"Take the color from the history"}});
    return rows;
}

} // namespace

std::span<const TColorFormRow> CssColorFormRows() {
    static const std::vector<TColorFormRow> rows = Build();
    return rows;
}
