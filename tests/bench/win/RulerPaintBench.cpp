// Counting driver for the ruler's painting under Wine:
//  - rendering a 3840-pixel horizontal and a 2160-pixel vertical scale in each
//    unit through GDI (the face the ruler renders only when it changes);
//  - the UI-thread cost of one cursor update over 10 000 hook notifications,
//    with the pixels each copies back from the face, and proof that cursor
//    updates never render the face.
#include "hook/ZephalApi.h"
#include "ruler/RulerRenderer.h"
#include "ruler/win/HookLibrary.h"
#include "ruler/win/MainDlg.h"
#include "util/win/Fonts.h"
#include "util/win/GdiCanvas.h"
#include "util/win/OffscreenBitmap.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

LARGE_INTEGER g_freq;

double NowMicros() {
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return 1e6 * static_cast<double>(t.QuadPart) / static_cast<double>(g_freq.QuadPart);
}

double Percentile(std::vector<double> v, double q) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[static_cast<size_t>(q * static_cast<double>(v.size() - 1))];
}

void BenchRender() {
    LOGFONTW font{};
    font.lfHeight = -11;
    font.lfCharSet = DEFAULT_CHARSET;
    wcscpy_s(font.lfFaceName, L"Tahoma");
    HFONT normal = CachedFont(font);
    font.lfWeight = FW_BOLD;
    HFONT bold = CachedFont(font);
    const char* names[] = {"Millimeter", "Pixel 20", "Pixel 32", "Pixel 50", "Twip"};
    std::printf("GDI face render (median of 20)\n");
    for (bool horizontal : {true, false}) {
        OffscreenBitmap bitmap;
        bitmap.SetSize(horizontal ? 3840 : 57, horizontal ? 49 : 2160);
        for (int unit = 0; unit <= 4; ++unit) {
            RulerModel model;
            SetOrientation(model, horizontal);
            model.Scale.fRulerUnit = static_cast<TRulerUnit>(unit);
            model.Scale.Converter.AutoPixelsPerMM({1920, 1080, 509, 286});
            const RulerFace face = FaceOf(model, {bitmap.Width(), bitmap.Height()});
            std::vector<double> times;
            for (int i = 0; i < 20; ++i) {
                GdiCanvas canvas(bitmap.Dc(), normal, bold);
                const double t0 = NowMicros();
                RenderRulerFace(canvas, face);
                ::GdiFlush();
                times.push_back(NowMicros() - t0);
            }
            std::printf("  %-10s %-11s %4dx%-4d %8.0f us\n", horizontal ? "horizontal" : "vertical",
                        names[unit], face.Client.Width, face.Client.Height, Percentile(times, 0.5));
        }
    }
}

void BenchCursorUpdates(int count) {
    HookLibrary::Load();
    TMainDlg ruler;
    ruler.Create(nullptr, L"Dravik");
    ::ShowWindow(ruler.Handle(), SW_SHOWNOACTIVATE);
    ::UpdateWindow(ruler.Handle());
    ::RemoveHookMouse(); // only the notifications sent below reach it
    const UINT msg = ::GetMonitorMouseMoveMsg();
    RECT r{};
    ::GetWindowRect(ruler.Handle(), &r);
    const std::uint64_t rendersBefore = ruler.Counters().FaceRenders;
    const std::uint64_t copiedBefore = ruler.Counters().PixelsCopied;
    std::vector<double> times;
    times.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const int x = r.left + 10 + (i * 7) % 500; // along the ruler, box always shown
        const double t0 = NowMicros();
        ::SendMessageW(ruler.Handle(), msg, static_cast<WPARAM>(x), r.top + 300);
        times.push_back(NowMicros() - t0);
    }
    ::GdiFlush();
    std::printf("cursor updates: %d\n", count);
    std::printf("  UI-thread cost   median %7.1f us   p99 %7.1f us\n", Percentile(times, 0.5),
                Percentile(times, 0.99));
    std::printf("  pixels copied    %.0f per update\n",
                static_cast<double>(ruler.Counters().PixelsCopied - copiedBefore) / count);
    std::printf("  face renders     %llu during the updates\n",
                static_cast<unsigned long long>(ruler.Counters().FaceRenders - rendersBefore));
}

} // namespace

int main(int argc, char** argv) {
    ::QueryPerformanceFrequency(&g_freq);
    BenchRender();
    BenchCursorUpdates(argc > 1 ? std::max(1, std::atoi(argv[1])) : 10000);
    return 0;
}
