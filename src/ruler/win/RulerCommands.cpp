// The ruler's commands: each row is one menu item or key, its handler and
// its state, in the menu's order; the keys without a menu item follow.
#include "ruler/win/RulerCommands.h"

#include "ruler/RulerGlyphs.h"
#include "ruler/RulerWindowRules.h"
#include "ruler/win/MainDlg.h"

namespace {
using Row = CommandRow<TMainDlg>;
using D = TMainDlg;

#define TRANSPARENCY_ROW(n)                                                                        \
    {                                                                                              \
        .Id = idTransparency0 + (n) / 10, .Name = L"mnut" #n, .Caption = L"" #n "%",               \
        .Choose = &D::ChooseTransparency, .IsChosen = &D::TransparencyIs, .Value = n               \
    }
#define ARROW_ROW(id, vk, arrow)                                                                   \
    {                                                                                              \
        .Id = id, .Name = L"Key" #arrow, .Key = KeyWithShiftCtrl(vk), .Choose = &D::StepByArrow,   \
        .Value = static_cast<int>(ArrowKey::arrow), .Hidden = true                                 \
    }

// clang-format off
const Row Rows[] = {
    {.Id = idVisible, .Name = L"menVisible", .Caption = L"Sichtbar", .Key = Key('S'),
     .Run = &D::ToggleVisible, .Checked = &D::IsShownChecked, .Glyph = RulerGlyphs::Visible},
    {.Id = idOnTop, .Name = L"menOnTop", .Caption = L"Immer oben", .Key = Key('O'),
     .Run = &D::ToggleOnTop, .Checked = &D::IsOnTopChecked, .Glyph = RulerGlyphs::OnTop},
    {.Id = idOrientation, .Name = L"menOrientation", .Caption = L"Ausrichtung ändern",
     .Key = Key('A'), .Run = &D::Turn, .Glyph = RulerGlyphs::Turn},
    {.Id = idOptimalSize, .Name = L"OptimaleGre1", .Caption = L"Optimale Größe", .Key = Key('G'),
     .Run = &D::FitLengthToScreen, .Glyph = RulerGlyphs::FitLength},
    {.Id = idCopyReading, .Name = L"menCopyReading", .Caption = L"Messwert kopieren",
     .Key = Key('C', KeyMods::Ctrl), .Run = &D::CopyReading},
    {.Id = idEdgeSpan, .Name = L"menEdgeSpan", .Caption = L"Kanten messen", .Run = &D::MeasureEdgeSpan,
     .Hint = L"Misst an der Mausposition von Kante zu Kante"},
    {.Id = idPinMark, .Name = L"menPinMark", .Caption = L"Markierung setzen",
     .Run = &D::PinMarkAtPointer},
    {.Id = idClearMarks, .Name = L"menClearMarks", .Caption = L"Markierungen löschen",
     .Key = Key(VK_DELETE), .Run = &D::ClearMarks},
    {.Id = idCenter, .Name = L"AufdemBildschirmzenterien1",
     .Caption = L"Auf dem Bildschirm zentrieren", .Run = &D::CenterOnScreen,
     .Glyph = RulerGlyphs::Center},
    {.Kind = CommandKind::Submenu, .Id = idUnitMenu, .Name = L"menUnit", .Caption = L"Einheit",
     .Glyph = RulerGlyphs::Unit},
    {.Id = idPixel20, .Name = L"menPixel20", .Caption = L"Pixel 20", .Choose = &D::ChooseUnit,
     .IsChosen = &D::UnitIs, .Value = ruPixel20},
    {.Id = idPixel32, .Name = L"menPixel32", .Caption = L"Pixel 32", .Key = Key('P'),
     .Choose = &D::ChooseUnit, .IsChosen = &D::UnitIs, .Value = ruPixel32},
    {.Id = idPixel50, .Name = L"menPixel50", .Caption = L"Pixel 50", .Choose = &D::ChooseUnit,
     .IsChosen = &D::UnitIs, .Value = ruPixel50},
    {.Id = idMilimeter, .Name = L"menMilimeter", .Caption = L"Milimeter", .Key = Key('M'),
     .Choose = &D::ChooseUnit, .IsChosen = &D::UnitIs, .Value = ruMillimeter},
    {.Id = idCentimeter, .Name = L"menCentimeter", .Caption = L"Zentimeter",
     .Choose = &D::ChooseUnit, .IsChosen = &D::UnitIs, .Value = ruCentimeter},
    {.Id = idInch, .Name = L"menInch", .Caption = L"Zoll", .Choose = &D::ChooseUnit,
     .IsChosen = &D::UnitIs, .Value = ruInch},
    {.Id = idPoint, .Name = L"menPoint", .Caption = L"Punkt", .Choose = &D::ChooseUnit,
     .IsChosen = &D::UnitIs, .Value = ruPoint},
    {.Id = idLogicalPixel, .Name = L"menLogicalPixel", .Caption = L"Logische Pixel",
     .Choose = &D::ChooseUnit, .IsChosen = &D::UnitIs, .Value = ruLogicalPixel},
    {.Id = idTwip, .Name = L"menTwip", .Caption = L"Twip", .Choose = &D::ChooseUnit,
     .IsChosen = &D::UnitIs, .Value = ruTwip, .Hidden = true},
    {.Kind = CommandKind::Separator},
    // The main keyboard's plus key and the keypad's minus key; the
    // characters "+" and "-" from any key follow below.
    {.Id = idPlus1, .Name = L"Plus1", .Caption = L"MM-Abstand vergrößern", .Key = Key(VK_OEM_PLUS),
     .Run = &D::WidenScale},
    {.Id = idMinus1, .Name = L"Minus1", .Caption = L"MM-Abstand verkleinern",
     .Key = Key(VK_SUBTRACT), .Run = &D::NarrowScale},
    {.Kind = CommandKind::EndSubmenu},
    {.Id = idSettings, .Name = L"Farben1", .Caption = L"Einstellungen...", .Run = &D::OpenSettings,
     .Glyph = RulerGlyphs::Settings},
    {.Kind = CommandKind::Submenu, .Id = idTransparencyMenu, .Name = L"mnuTransparency",
     .Caption = L"Transparenz", .Glyph = RulerGlyphs::Transparency},
    TRANSPARENCY_ROW(0), TRANSPARENCY_ROW(10), TRANSPARENCY_ROW(20), TRANSPARENCY_ROW(30),
    TRANSPARENCY_ROW(40), TRANSPARENCY_ROW(50), TRANSPARENCY_ROW(60),
    {.Kind = CommandKind::EndSubmenu},
    {.Id = idShowTrayPicker, .Name = L"menShowTrayPicker", .Caption = L"Farbauswahlicon anzeigen",
     .Run = &D::ToggleTrayPicker, .Checked = &D::IsTrayPickerChecked},
    {.Kind = CommandKind::Separator},
    {.Id = idPickColor, .Name = L"Farbeauswhlen1", .Caption = L"Farbe auswählen...",
     .Key = Key('F'), .Run = &D::PickColor, .Glyph = RulerGlyphs::PickColor},
    {.Id = idMagnifier, .Name = L"menMagnifier", .Caption = L"Lupe", .Key = Key('L'),
     .Run = &D::ToggleMagnifier, .Checked = &D::IsMagnifierChecked,
     .Glyph = RulerGlyphs::Magnifier},
    {.Kind = CommandKind::Separator},
    {.Id = idHelp, .Name = L"Hilfe1", .Caption = L"Hilfe...", .Key = Key(VK_F1),
     .Run = &D::ShowHelp, .Glyph = RulerGlyphs::Help},
    {.Id = idCheckUpdate, .Name = L"NachneuerVersionsuchen1",
     .Caption = L"Nach neuer Version suchen...", .Run = &D::CheckForUpdates,
     .Hint = L"Sucht im Internet nach einer neuen Programmversion"},
    {.Id = idFeedback, .Name = L"WnscheFeedback1", .Caption = L"Wünsche/Feedback...",
     .Run = &D::SendFeedback, .Hint = L"Wünsche oder Feedback mitteilen..."},
    {.Id = idAbout, .Name = L"menAbout", .Caption = L"Info über...", .Run = &D::ShowAbout},
    {.Kind = CommandKind::Separator},
    {.Id = idExit, .Name = L"menExit", .Caption = L"Beenden", .Key = Key(VK_ESCAPE),
     .Run = &D::Exit, .Glyph = RulerGlyphs::Exit},

    {.Id = idNextUnit, .Name = L"KeyNextUnit", .Key = Typed(L'e'), .Run = &D::NextUnit,
     .Hidden = true},
    {.Id = idPlusTyped, .Name = L"KeyPlus", .Key = Typed(L'+'), .Run = &D::WidenScale,
     .Hidden = true},
    {.Id = idMinusTyped, .Name = L"KeyMinus", .Key = Typed(L'-'), .Run = &D::NarrowScale,
     .Hidden = true},
    ARROW_ROW(idArrowLeft, VK_LEFT, Left), ARROW_ROW(idArrowRight, VK_RIGHT, Right),
    ARROW_ROW(idArrowUp, VK_UP, Up), ARROW_ROW(idArrowDown, VK_DOWN, Down),
};
// clang-format on

#undef TRANSPARENCY_ROW
#undef ARROW_ROW

} // namespace

const CommandTable<TMainDlg>& TMainDlg::Commands() {
    static const CommandTable<TMainDlg> table{Rows};
    return table;
}
