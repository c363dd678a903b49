// libFuzzer target: any bytes as a monitor's EDID. Whatever they hold, the
// parse ends, a name stays within its descriptor, and a size it believes
// gives a pixel density a screen can have.
#include "screens/Edid.h"
#include "screens/MonitorLayout.h"

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto info = ParseEdid({data, size});
    if (!info) return 0;
    Check(info->Name.size() <= 13);
    Check(info->Manufacturer.empty() || info->Manufacturer.size() == 3);
    Monitor monitor;
    monitor.Bounds = {0, 0, info->NativeWidth > 0 ? info->NativeWidth : 1920,
                      info->NativeHeight > 0 ? info->NativeHeight : 1080};
    monitor.Size = PlausibleSize(*info, monitor.Bounds.Width(), monitor.Bounds.Height());
    if (monitor.Size) {
        const PixelsPerMM perMM = AutomaticPixelsPerMM(monitor);
        Check(perMM.X >= 1.5 && perMM.X <= 30 && perMM.Y >= 1.5 && perMM.Y <= 30);
    }
    Check(!MonitorIdOf(info, L"fallback").empty());
    return 0;
}
