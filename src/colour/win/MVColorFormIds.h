#pragma once
// Child window ids of the colour window, for its own message handling and for
// the test driver, which finds its controls by them.
#include <windows.h>

constexpr const wchar_t* ColorFormClass = L"TMVColorForm";

enum TColorFormId : int {
    idOK = IDOK,
    idCancel = IDCANCEL,
    idPalName = 100, // the page list
    idPageArea,      // the framed panel holding the pages
    idPageFirst,     // the nine pages follow in list order
    idPageLast = idPageFirst + 8,
    idSpectrum, // "16,7 Mio": the spectrum picture
    idBright,   // the brightness bar
    idSat,      // the saturation bar
    idColorNew, // "Neu"
    idColorOld, // "Aktuell"
    idDefColor, // "Standard"
    idDefColorLabel,
    idValuePanel,
    idRed,
    idGreen,
    idBlue,
    idH,
    idS,
    idL,
    idC,
    idM,
    idY,
    idK,
    idColorRGB,
    idColorBGR,
    idColorDec,
    idRGBText, // the label of the RGB field
    idCopyRGB,
    idCopyBGR,
    idCopyDec,
    idRGBwithNumSign,
    idColCapture,
    idLoadImg,
    idSetUserColor,
    // The palettes, in the order the colour update sets their active colour,
    // then the two it leaves alone.
    idColorPal256,
    idColorPal16,
    idColorPal8,
    idColorPalWin,
    idColorPalWeb120,
    idColorPalCreme,
    idColorPalWordVista,
    idColorPalWeb216,
    idColorPalUser,
    idUserImageBox,  // the scroll box of "Benutzer-Bild"
    idCustomPalette, // the loaded picture
    idPickerHarmonic,
    // The group "CSS": one read-only field per notation, in the order of
    // TCssNotation, then the nearest name; each with a copy button.
    idCssGroup,
    idCssHex,
    idCssRgb,
    idCssHsl,
    idCssHwb,
    idCssLab,
    idCssLch,
    idCssOklab,
    idCssOklch,
    idCssName,
    idCopyCssHex,
    idCopyCssName = idCopyCssHex + (idCssName - idCssHex),
    idCssHexUpper, // "HEX in Großbuchstaben"
    idCssInput,    // "CSS-Eingabe"
    idCssNote,     // what reading the input noticed
    // The group "Kontrast".
    idContrastGroup,
    idForeground,
    idBackground,
    idPickBackground,
    idSwapColors,
    idContrastRatio,
    idVerdictNormalAA,
    idVerdictNormalAAA,
    idVerdictLargeAA,
    idVerdictLargeAAA,
    idContrastSample,
    // The group "Verlauf": the history's cells, newest first.
    idHistoryGroup,
    idHistoryFirst,
    idHistoryLast = idHistoryFirst + 15,
    // Each numeric field's up-down control has the field's id plus this.
    idUpDownOffset = 1000,
};
