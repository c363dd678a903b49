// The ruler's commands: each row is one menu item, its key and its handler.
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
} // namespace

const CommandTable<TMainDlg>& TMainDlg::Commands() {
    // clang-format off
    static const Row rows[] = {
        {.Id = idOrientation, .Name = L"menOrientation", .Caption = L"Ausrichtung ändern",
         .KeyText = L"A", .Key = 'A', .Handler = [](TMainDlg& d) { d.menOrientationClick(); }},
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
        // The main keyboard's plus key and the key the menu has always named
        // for the minus step (the keypad's divide key, 0x6F).
        {.Id = idPlus1, .Name = L"Plus1", .Caption = L"MM-Abstand vergrößern", .KeyText = L"+",
         .Key = VK_OEM_PLUS, .Handler = [](TMainDlg& d) { d.Plus1Click(); }},
        {.Id = idMinus1, .Name = L"Minus1", .Caption = L"MM-Abstand verkleinern", .KeyText = L"-",
         .Key = VK_DIVIDE, .Handler = [](TMainDlg& d) { d.Minus1Click(); }},
        {.Kind = CommandKind::EndSubmenu},
        {.Kind = CommandKind::Separator},
        {.Id = idExit, .Name = L"menExit", .Caption = L"Beenden", .KeyText = L"Esc",
         .Key = VK_ESCAPE, .Handler = [](TMainDlg& d) { d.menExitClick(); }},
    };
    // clang-format on
    static const CommandTable<TMainDlg> table{rows};
    return table;
}
