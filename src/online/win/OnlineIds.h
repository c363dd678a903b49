#pragma once
// Child window ids of the online windows, for their own message handling
// and for the test driver, which finds their controls by them.
#include <windows.h>

constexpr const wchar_t* UpdateDlgClass = L"TOnlineUpdateDlg";
constexpr const wchar_t* InfoFormClass = L"TInfoForm";
constexpr const wchar_t* WishDlgClass = L"TWishDlg";

enum TUpdateDlgId : int {
    idUpdSearch = IDOK, // "Neue Version suchen"
    idUpdClose = IDCANCEL,
    idUpdDescription = 100,
    idUpdMessage, // the HTML label
    idUpdProgress,
    idUpdSettings, // "Einstellungen..."
    idUpdIntervalLabel,
    idUpdInterval,
    idUpdPanelLine,
};

enum TInfoFormId : int {
    idInfoOK = IDOK,
    idInfoTop = 100,
    idInfoIcon, // a click copies the program report
    idInfoProduktName,
    idInfoVersion,
    idInfoTopLine,
    idInfoHinten,
    idInfoCopyright,
    idInfoComment,
    idInfoLine,
    idInfoFirma,
    idInfoAnschrift,
    idInfoTelFax,
    idInfoHomepage,
    idInfoEMail,
};

enum TWishDlgId : int {
    idWishClose = IDOK, // "Schließen"
    idWishPicture = 100,
    idWishLike,
    idWishHeadingLike,
    idWishFeedback, // "Bewertungsseite öffnen"
    idWishHeadingWish,
    idWishContact, // "Kontakt mit uns aufnehmen"
};
