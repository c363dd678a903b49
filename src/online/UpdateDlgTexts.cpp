#include "online/UpdateDlgTexts.h"

#include <iterator>

std::wstring UpdateDlgDescription(const std::wstring& displayName, const std::wstring& version) {
    static constexpr LocalText text{
        L"Dieser Assistent prüft mit einer Internet-Anfrage, ob es eine neue Version von %1 "
        L"gibt. Sie verwenden Version %2",
        L"This assistant checks online whether a new version of %1 is available. You are using "
        L"version %2"};
    return FormatText(text, {displayName, version});
}

std::wstring UpdateDlgShownMsg(const std::wstring& msg) {
    if (!msg.empty()) return msg;
    static constexpr LocalText text{L"Bitte klicken Sie auf \"%1\".", L"Please click \"%1\"."};
    return FormatText(text, {UpdateDlgSearchCaption()});
}

int UpdateDlgIntervalIndex(TAutoUpdateInterval value) {
    for (int i = 0; i < static_cast<int>(std::size(UpdateDlgIntervals)); ++i)
        if (UpdateDlgIntervals[i].Value == value) return i;
    return 0;
}
