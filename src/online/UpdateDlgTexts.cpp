#include "online/UpdateDlgTexts.h"

#include <iterator>

std::wstring UpdateDlgDescription(const std::wstring& displayName, const std::wstring& version) {
    return L"Dieser Assistent prüft mit einer Internet-Anfrage, ob es eine neue Version von " +
           displayName + L" gibt. Sie verwenden Version " + version;
}

std::wstring UpdateDlgShownMsg(const std::wstring& msg) {
    if (!msg.empty()) return msg;
    return L"Bitte klicken Sie auf \"" + std::wstring(UpdateDlgSearchCaption) + L"\".";
}

int UpdateDlgIntervalIndex(TAutoUpdateInterval value) {
    for (int i = 0; i < static_cast<int>(std::size(UpdateDlgIntervals)); ++i)
        if (UpdateDlgIntervals[i].Value == value) return i;
    return 0;
}
