// Counting driver: the UI-thread cost of one magnifier picture (the caption,
// the black strips, the stretch copy from the screen, the marker) at zoom 4
// and 20, with the pixels each picture reads from the screen and writes.
//   MagnifierFrameBench.exe [frames]   (default 500)
#include "magnifier/win/MagnifierDlg.h"
#include "storage/win/Win32Storage.h"

#include "ThreadTime.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageW(&msg);
}

} // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::atoi(argv[1]) : 500;
    InstallWin32Storage();
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring ini = std::wstring(temp) + L"MagnifierFrameBench.ini";
    TMagnifierDlg magnifier;
    magnifier.Create(nullptr, ini, sifUnicode);
    magnifier.Show();
    Pump();
    for (int zoom : {4, 20}) {
        magnifier.SetZoom(zoom);
        const Size picture = magnifier.PictureSize();
        const double start = ThreadMillis();
        for (int i = 0; i < frames; ++i) {
            // A new position each time, as a moving pointer gives.
            magnifier.Magnify(200 + i % 400, 300 + i % 7);
            ::SendMessageW(magnifier.Handle(), WM_TIMER, 1, 0);
        }
        const double perFrame = (ThreadMillis() - start) / frames;
        const long read = static_cast<long>(picture.Width / zoom) * (picture.Height / zoom);
        const long written = static_cast<long>(picture.Width) * picture.Height;
        std::printf("zoom %2d: %.3f ms UI thread per picture, %ld screen pixels read, %ld written "
                    "(picture %d x %d, %llu pictures)\n",
                    zoom, perFrame, read, written, picture.Width, picture.Height,
                    static_cast<unsigned long long>(magnifier.Draws()));
        Pump();
    }
    ::DeleteFileW(ini.c_str());
    return 0;
}
