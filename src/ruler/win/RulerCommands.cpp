// The ruler's commands: each row is one menu item, its key and its handler,
// in the menu's order.
#include "ruler/win/RulerCommands.h"
#include "ruler/win/MainDlg.h"

namespace {
using Row = CommandRow<TMainDlg>;

template <TRulerUnit unit> bool UnitIs(const TMainDlg& d) {
    return d.RulerUnit() == unit;
}
template <TRulerUnit unit> void ChooseUnit(TMainDlg& d) {
    d.SetRulerUnit(unit);
}
template <int percent> bool TransparencyChecked(const TMainDlg& d) {
    return d.CheckedTransparency() == percent;
}
template <int percent> void ChooseTransparency(TMainDlg& d) {
    d.mnut0Click(percent);
}

#define TRANSPARENCY_ROW(n)                                                                        \
    {                                                                                              \
        .Id = idTransparency0 + (n) / 10, .Name = L"mnut" #n, .Caption = L"" #n "%",               \
        .Handler = ChooseTransparency<n>, .Checked = TransparencyChecked<n>, .Radio = true         \
    }
} // namespace

const CommandTable<TMainDlg>& TMainDlg::Commands() {
    // clang-format off
    static const Row rows[] = {
        {.Id = idVisible, .Name = L"menVisible", .Caption = L"Sichtbar", .KeyText = L"S",
         .Key = 'S', .Handler = [](TMainDlg& d) { d.menVisibleClick(); },
         .Checked = [](const TMainDlg& d) { return d.Options().Visible; }},
        {.Id = idOnTop, .Name = L"menOnTop", .Caption = L"Immer oben", .KeyText = L"O",
         .Key = 'O', .Handler = [](TMainDlg& d) { d.menOnTopClick(); },
         .Checked = [](const TMainDlg& d) { return d.Options().OnTop; }},
        {.Id = idOrientation, .Name = L"menOrientation", .Caption = L"Ausrichtung ändern",
         .KeyText = L"A", .Key = 'A', .Handler = [](TMainDlg& d) { d.menOrientationClick(); }},
        {.Id = idOptimalSize, .Name = L"OptimaleGre1", .Caption = L"Optimale Größe",
         .KeyText = L"G", .Key = 'G', .Handler = [](TMainDlg& d) { d.OptimaleGre1Click(); }},
        {.Id = idCenter, .Name = L"AufdemBildschirmzenterien1",
         .Caption = L"Auf dem Bildschirm zentrieren",
         .Handler = [](TMainDlg& d) { d.AufdemBildschirmzenterien1Click(); }},
        {.Kind = CommandKind::Submenu, .Id = idUnitMenu, .Name = L"menUnit", .Caption = L"Einheit"},
        {.Id = idPixel20, .Name = L"menPixel20", .Caption = L"Pixel 20",
         .Handler = ChooseUnit<ruPixel20>, .Checked = UnitIs<ruPixel20>, .Radio = true},
        {.Id = idPixel32, .Name = L"menPixel32", .Caption = L"Pixel 32", .KeyText = L"P",
         .Key = 'P', .Handler = ChooseUnit<ruPixel32>, .Checked = UnitIs<ruPixel32>,
         .Radio = true},
        {.Id = idPixel50, .Name = L"menPixel50", .Caption = L"Pixel 50",
         .Handler = ChooseUnit<ruPixel50>, .Checked = UnitIs<ruPixel50>, .Radio = true},
        {.Id = idMilimeter, .Name = L"menMilimeter", .Caption = L"Milimeter", .KeyText = L"M",
         .Key = 'M', .Handler = ChooseUnit<ruMillimeter>, .Checked = UnitIs<ruMillimeter>,
         .Radio = true},
        {.Id = idTwip, .Name = L"menTwip", .Caption = L"Twip", .Handler = ChooseUnit<ruTwip>,
         .Checked = UnitIs<ruTwip>, .Radio = true, .Hidden = true},
        {.Kind = CommandKind::Separator},
        // The main keyboard's plus key and the keypad's minus key.
        {.Id = idPlus1, .Name = L"Plus1", .Caption = L"MM-Abstand vergrößern", .KeyText = L"+",
         .Key = VK_OEM_PLUS, .Handler = [](TMainDlg& d) { d.Plus1Click(); }},
        {.Id = idMinus1, .Name = L"Minus1", .Caption = L"MM-Abstand verkleinern", .KeyText = L"-",
         .Key = VK_SUBTRACT, .Handler = [](TMainDlg& d) { d.Minus1Click(); }},
        {.Kind = CommandKind::EndSubmenu},
        {.Id = idSettings, .Name = L"Farben1", .Caption = L"Einstellungen...",
         .Handler = [](TMainDlg& d) { d.Farben1Click(); }},
        {.Kind = CommandKind::Submenu, .Id = idTransparencyMenu, .Name = L"mnuTransparency",
         .Caption = L"Transparenz"},
        TRANSPARENCY_ROW(0), TRANSPARENCY_ROW(10), TRANSPARENCY_ROW(20), TRANSPARENCY_ROW(30),
        TRANSPARENCY_ROW(40), TRANSPARENCY_ROW(50), TRANSPARENCY_ROW(60),
        {.Kind = CommandKind::EndSubmenu},
        {.Id = idShowTrayPicker, .Name = L"menShowTrayPicker",
         .Caption = L"Farbauswahlicon anzeigen",
         .Handler = [](TMainDlg& d) { d.menShowTrayPickerClick(); },
         .Checked = [](const TMainDlg& d) { return d.Options().ColorPickerIcon; }},
        {.Kind = CommandKind::Separator},
        {.Id = idPickColor, .Name = L"Farbeauswhlen1", .Caption = L"Farbe auswählen...",
         .KeyText = L"F", .Key = 'F', .Handler = [](TMainDlg& d) { d.Farbeauswhlen1Click(); }},
        {.Id = idMagnifier, .Name = L"menMagnifier", .Caption = L"Lupe", .KeyText = L"L",
         .Key = 'L', .Handler = [](TMainDlg& d) { d.menMagnifierClick(); },
         .Checked = [](const TMainDlg& d) { return d.Options().Magnifier; }},
        {.Kind = CommandKind::Separator},
        {.Id = idHelp, .Name = L"Hilfe1", .Caption = L"Hilfe...", .KeyText = L"F1",
         .Key = VK_F1, .Handler = [](TMainDlg& d) { d.Hilfe1Click(); }},
        {.Id = idCheckUpdate, .Name = L"NachneuerVersionsuchen1",
         .Caption = L"Nach neuer Version suchen...",
         .Handler = [](TMainDlg& d) { d.NachneuerVersionsuchen1Click(); },
         .Hint = L"Sucht im Internet nach einer neuen Programmversion"},
        {.Id = idFeedback, .Name = L"WnscheFeedback1", .Caption = L"Wünsche/Feedback...",
         .Handler = [](TMainDlg& d) { d.WnscheFeedback1Click(); },
         .Hint = L"Wünsche oder Feedback mitteilen..."},
        {.Id = idAbout, .Name = L"menAbout", .Caption = L"Info über...",
         .Handler = [](TMainDlg& d) { d.menAboutClick(); }},
        {.Kind = CommandKind::Separator},
        {.Id = idExit, .Name = L"menExit", .Caption = L"Beenden", .KeyText = L"Esc",
         .Key = VK_ESCAPE, .Handler = [](TMainDlg& d) { d.menExitClick(); }},
    };
    // clang-format on
    static const CommandTable<TMainDlg> table{rows};
    return table;
}
