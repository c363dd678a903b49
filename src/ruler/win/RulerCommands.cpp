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
        .Id = idTransparency0 + (n) / 10, .Name = L"mnut" #n,                                      \
        .Caption = LocalText::Neutral(L"" #n "%"), .Choose = &D::ChooseTransparency,               \
        .IsChosen = &D::TransparencyIs, .Value = n                                                 \
    }
#define LANGUAGE_ROW(id, name, caption, choice)                                                    \
    {                                                                                              \
        .Id = id, .Name = name, .Caption = caption, .Choose = &D::ChooseLanguage,                  \
        .IsChosen = &D::LanguageIs, .Value = static_cast<int>(LanguageChoice::choice),             \
        .Hint = kLanguageHint                                                                      \
    }
#define ARROW_ROW(id, vk, arrow)                                                                   \
    {                                                                                              \
        .Id = id, .Name = L"Key" #arrow, .Key = KeyWithShiftCtrl(vk), .Choose = &D::StepByArrow,   \
        .Value = static_cast<int>(ArrowKey::arrow), .Hidden = true                                 \
    }

constexpr LocalText kLanguageHint{
    L"Menü und neu geöffnete Fenster sofort, alles andere nach einem Neustart",
    L"The menu and windows opened from now on at once, everything else after a restart"};

// clang-format off
const Row Rows[] = {
    {.Id = idVisible, .Name = L"menVisible", .Caption = {L"Sichtbar", L"Visible"}, .Key = Key('S'),
     .Run = &D::ToggleVisible, .Checked = &D::IsShownChecked, .Glyph = RulerGlyphs::Visible},
    {.Id = idOnTop, .Name = L"menOnTop", .Caption = {L"Immer oben", L"Always on Top"},
     .Key = Key('O'), .Run = &D::ToggleOnTop, .Checked = &D::IsOnTopChecked,
     .Glyph = RulerGlyphs::OnTop},
    {.Id = idOrientation, .Name = L"menOrientation",
     .Caption = {L"Ausrichtung ändern", L"Change Orientation"}, .Key = Key('A'), .Run = &D::Turn,
     .Glyph = RulerGlyphs::Turn},
    {.Id = idOptimalSize, .Name = L"OptimaleGre1", .Caption = {L"Optimale Größe", L"Optimal Size"},
     .Key = Key('G'), .Run = &D::FitLengthToScreen, .Glyph = RulerGlyphs::FitLength},
    {.Id = idCopyReading, .Name = L"menCopyReading",
     .Caption = {L"Messwert kopieren", L"Copy Reading"}, .Key = Key('C', KeyMods::Ctrl),
     .Run = &D::CopyReading},
    {.Id = idEdgeSpan, .Name = L"menEdgeSpan", .Caption = {L"Kanten messen", L"Measure Edges"},
     .Run = &D::MeasureEdgeSpan,
     .Hint = {L"Misst an der Mausposition von Kante zu Kante",
              L"Measures from edge to edge at the mouse position"}},
    {.Id = idPinMark, .Name = L"menPinMark", .Caption = {L"Markierung setzen", L"Pin Mark"},
     .Run = &D::PinMarkAtPointer},
    {.Id = idClearMarks, .Name = L"menClearMarks",
     .Caption = {L"Markierungen löschen", L"Clear Marks"}, .Key = Key(VK_DELETE),
     .Run = &D::ClearMarks},
    {.Id = idCenter, .Name = L"AufdemBildschirmzenterien1",
     .Caption = {L"Auf dem Bildschirm zentrieren", L"Center on Screen"}, .Run = &D::CenterOnScreen,
     .Glyph = RulerGlyphs::Center},
    {.Kind = CommandKind::Submenu, .Id = idUnitMenu, .Name = L"menUnit",
     .Caption = {L"Einheit", L"Unit"}, .Glyph = RulerGlyphs::Unit},
    {.Id = idPixel20, .Name = L"menPixel20", .Caption = LocalText::Neutral(L"Pixel 20"),
     .Choose = &D::ChooseUnit, .IsChosen = &D::UnitIs, .Value = ruPixel20},
    {.Id = idPixel32, .Name = L"menPixel32", .Caption = LocalText::Neutral(L"Pixel 32"),
     .Key = Key('P'), .Choose = &D::ChooseUnit, .IsChosen = &D::UnitIs, .Value = ruPixel32},
    {.Id = idPixel50, .Name = L"menPixel50", .Caption = LocalText::Neutral(L"Pixel 50"),
     .Choose = &D::ChooseUnit, .IsChosen = &D::UnitIs, .Value = ruPixel50},
    {.Id = idMilimeter, .Name = L"menMilimeter", .Caption = {L"Milimeter", L"Millimeters"},
     .Key = Key('M'), .Choose = &D::ChooseUnit, .IsChosen = &D::UnitIs, .Value = ruMillimeter},
    {.Id = idCentimeter, .Name = L"menCentimeter", .Caption = {L"Zentimeter", L"Centimeters"},
     .Choose = &D::ChooseUnit, .IsChosen = &D::UnitIs, .Value = ruCentimeter},
    {.Id = idInch, .Name = L"menInch", .Caption = {L"Zoll", L"Inches"}, .Choose = &D::ChooseUnit,
     .IsChosen = &D::UnitIs, .Value = ruInch},
    {.Id = idPoint, .Name = L"menPoint", .Caption = {L"Punkt", L"Points"}, .Choose = &D::ChooseUnit,
     .IsChosen = &D::UnitIs, .Value = ruPoint},
    {.Id = idLogicalPixel, .Name = L"menLogicalPixel",
     .Caption = {L"Logische Pixel", L"Logical Pixels"}, .Choose = &D::ChooseUnit,
     .IsChosen = &D::UnitIs, .Value = ruLogicalPixel},
    {.Id = idTwip, .Name = L"menTwip", .Caption = {L"Twip", L"Twips"}, .Choose = &D::ChooseUnit,
     .IsChosen = &D::UnitIs, .Value = ruTwip, .Hidden = true},
    {.Kind = CommandKind::Separator},
    // The main keyboard's plus key and the keypad's minus key; the
    // characters "+" and "-" from any key follow below.
    {.Id = idPlus1, .Name = L"Plus1",
     .Caption = {L"MM-Abstand vergrößern", L"Increase Millimeter Spacing"},
     .Key = Key(VK_OEM_PLUS), .Run = &D::WidenScale},
    {.Id = idMinus1, .Name = L"Minus1",
     .Caption = {L"MM-Abstand verkleinern", L"Decrease Millimeter Spacing"},
     .Key = Key(VK_SUBTRACT), .Run = &D::NarrowScale},
    {.Kind = CommandKind::EndSubmenu},
    {.Id = idSettings, .Name = L"Farben1", .Caption = {L"Einstellungen...", L"Settings..."},
     .Run = &D::OpenSettings, .Glyph = RulerGlyphs::Settings},
    {.Kind = CommandKind::Submenu, .Id = idTransparencyMenu, .Name = L"mnuTransparency",
     .Caption = {L"Transparenz", L"Transparency"}, .Glyph = RulerGlyphs::Transparency},
    TRANSPARENCY_ROW(0), TRANSPARENCY_ROW(10), TRANSPARENCY_ROW(20), TRANSPARENCY_ROW(30),
    TRANSPARENCY_ROW(40), TRANSPARENCY_ROW(50), TRANSPARENCY_ROW(60),
    {.Kind = CommandKind::EndSubmenu},
    // Each language by its own name; the menu and windows opened afterwards
    // take the choice at once, the rest of the program at its next start.
    {.Kind = CommandKind::Submenu, .Id = idLanguageMenu, .Name = L"menLanguage",
     .Caption = {L"Sprache", L"Language"}},
    LANGUAGE_ROW(idLanguageAutomatic, L"menLanguageAutomatic",
                 (LocalText{L"Automatisch", L"Automatic"}), Automatic),
    LANGUAGE_ROW(idLanguageGerman, L"menLanguageGerman", LocalText::Neutral(L"Deutsch"), German),
    LANGUAGE_ROW(idLanguageEnglish, L"menLanguageEnglish", LocalText::Neutral(L"English"), English),
    {.Kind = CommandKind::EndSubmenu},
    {.Id = idShowTrayPicker, .Name = L"menShowTrayPicker",
     .Caption = {L"Farbauswahlicon anzeigen", L"Show Color Picker Icon"},
     .Run = &D::ToggleTrayPicker, .Checked = &D::IsTrayPickerChecked},
    {.Kind = CommandKind::Separator},
    {.Id = idPickColor, .Name = L"Farbeauswhlen1",
     .Caption = {L"Farbe auswählen...", L"Pick Color..."}, .Key = Key('F'), .Run = &D::PickColor,
     .Glyph = RulerGlyphs::PickColor},
    {.Id = idMagnifier, .Name = L"menMagnifier", .Caption = {L"Lupe", L"Magnifier"},
     .Key = Key('L'), .Run = &D::ToggleMagnifier, .Checked = &D::IsMagnifierChecked,
     .Glyph = RulerGlyphs::Magnifier},
    {.Kind = CommandKind::Separator},
    {.Id = idHelp, .Name = L"Hilfe1", .Caption = {L"Hilfe...", L"Help..."}, .Key = Key(VK_F1),
     .Run = &D::ShowHelp, .Glyph = RulerGlyphs::Help},
    {.Id = idCheckUpdate, .Name = L"NachneuerVersionsuchen1",
     .Caption = {L"Nach neuer Version suchen...", L"Check for Updates..."},
     .Run = &D::CheckForUpdates,
     .Hint = {L"Sucht im Internet nach einer neuen Programmversion",
              L"Searches the Internet for a new version of the program"}},
    {.Id = idFeedback, .Name = L"WnscheFeedback1",
     .Caption = {L"Wünsche/Feedback...", L"Suggestions/Feedback..."}, .Run = &D::SendFeedback,
     .Hint = {L"Wünsche oder Feedback mitteilen...", L"Tell us your suggestions or feedback..."}},
    {.Id = idAbout, .Name = L"menAbout", .Caption = {L"Info über...", L"About..."},
     .Run = &D::ShowAbout},
    {.Kind = CommandKind::Separator},
    {.Id = idExit, .Name = L"menExit", .Caption = {L"Beenden", L"Exit"}, .Key = Key(VK_ESCAPE),
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
#undef LANGUAGE_ROW

} // namespace

const CommandTable<TMainDlg>& TMainDlg::Commands() {
    static const CommandTable<TMainDlg> table{Rows};
    return table;
}
