#include "util/WindowsVersion.h"

#include <array>

std::wstring WindowsVersionToStr(TWindowsVersion version) {
    static const std::array<const wchar_t*, 16> names = {
        L"wvUnknown",       L"wvWin95",    L"wvWin95OSR2", L"wvWin98",
        L"wvWin98SE",       L"wvWinME",    L"wvWinNT3",    L"wvWinNT4",
        L"wvWin2000",       L"wvWinXP",    L"wvWin2003",   L"wvWinVista",
        L"wvWinServer2008", L"wvWindows7", L"wvWindows8",  L"wvWindowsNewer"};
    const auto index = static_cast<std::size_t>(version);
    return index < names.size() ? names[index] : names[0];
}

TWindowsVersion ClassifyWindowsVersion(unsigned major, unsigned minor, unsigned build,
                                       bool isServer, bool win9xFamily) {
    if (win9xFamily) {
        if (major != 4) return wvUnknown;
        const unsigned buildNumber = build & 0xFFFF; // the high word holds the version
        if (minor < 10) return buildNumber > 1000 ? wvWin95OSR2 : wvWin95;
        if (minor < 90) return buildNumber >= 2222 ? wvWin98SE : wvWin98;
        return wvWinME;
    }
    if (major == 3) return wvWinNT3;
    if (major == 4) return wvWinNT4;
    if (major == 5) {
        if (minor == 0) return wvWin2000;
        if (minor == 1) return wvWinXP;
        return isServer ? wvWin2003 : wvWinXP; // 5.2 without server is XP x64
    }
    if (major == 6) {
        if (minor == 0) return isServer ? wvWinServer2008 : wvWinVista;
        if (minor == 1) return wvWindows7;
        if (minor == 2) return wvWindows8;
        return wvWindowsNewer;
    }
    return major > 6 ? wvWindowsNewer : wvUnknown;
}
