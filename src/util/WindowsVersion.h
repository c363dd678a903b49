#pragma once
// The operating-system versions that the program tells apart.
#include <cstdint>
#include <string>

enum TWindowsVersion : std::uint8_t {
    wvUnknown = 0,
    wvWin95,
    wvWin95OSR2,
    wvWin98,
    wvWin98SE,
    wvWinME,
    wvWinNT3,
    wvWinNT4,
    wvWin2000,
    wvWinXP,
    wvWin2003,
    wvWinVista,
    wvWinServer2008,
    wvWindows7,
    wvWindows8,
    wvWindowsNewer
};

// The value's name, such as "wvWindows7".
std::wstring WindowsVersionToStr(TWindowsVersion version);

// Classifies the numbers the system reports. The Windows 9x family reports
// major 4 like NT 4, so it is told apart by win9xFamily.
TWindowsVersion ClassifyWindowsVersion(unsigned major, unsigned minor, unsigned build,
                                       bool isServer, bool win9xFamily = false);
