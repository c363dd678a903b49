#include "screens/win/Monitors.h"

#include "util/win/Fonts.h"
#include "util/win/SystemLibraries.h"
#include "util/win/WindowRects.h"

#include <windows.h>

#include <vector>

namespace {

// GetDpiForMonitor lives in shcore.dll, which Windows before 8.1 lacks;
// loaded from the system folder when there is more than one monitor (a
// single monitor has the system's DPI, and the start stays lean).
int MonitorDpi(HMONITOR monitor) {
    using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const auto getDpi = [] {
        if (!LoadSystemLibraries({L"shcore.dll"})) return GetDpiForMonitorFn{};
        return reinterpret_cast<GetDpiForMonitorFn>(reinterpret_cast<void*>(
            ::GetProcAddress(::GetModuleHandleW(L"shcore.dll"), "GetDpiForMonitor")));
    }();
    UINT x = 0, y = 0;
    if (getDpi && SUCCEEDED(getDpi(monitor, 0 /* MDT_EFFECTIVE_DPI */, &x, &y)) && x > 0)
        return static_cast<int>(x);
    return static_cast<int>(WindowDpi(nullptr));
}

// "\\?\DISPLAY#DEL40F0#5&2b7a1f9d&0&UID4353#{e6f07b5f-...}" names the key
// "SYSTEM\CurrentControlSet\Enum\DISPLAY\DEL40F0\5&2b7a1f9d&0&UID4353".
std::wstring EnumKeyOf(const std::wstring& interfaceName) {
    std::wstring path = interfaceName;
    if (path.rfind(L"\\\\?\\", 0) == 0) path.erase(0, 4);
    const size_t guid = path.rfind(L"#{");
    if (guid != std::wstring::npos) path.erase(guid);
    for (wchar_t& c : path)
        if (c == L'#') c = L'\\';
    return L"SYSTEM\\CurrentControlSet\\Enum\\" + path + L"\\Device Parameters";
}

std::vector<std::uint8_t> ReadEdid(const std::wstring& interfaceName) {
    std::vector<std::uint8_t> bytes(512);
    DWORD size = static_cast<DWORD>(bytes.size());
    const LSTATUS status = ::RegGetValueW(HKEY_LOCAL_MACHINE, EnumKeyOf(interfaceName).c_str(),
                                          L"EDID", RRF_RT_REG_BINARY, nullptr, bytes.data(), &size);
    if (status != ERROR_SUCCESS) return {};
    bytes.resize(size);
    return bytes;
}

// The monitor's device interface name: the first monitor on the adapter
// that shows this display.
std::wstring InterfaceNameOf(const wchar_t* adapter) {
    DISPLAY_DEVICEW device{};
    device.cb = sizeof(device);
    if (!::EnumDisplayDevicesW(adapter, 0, &device, EDD_GET_DEVICE_INTERFACE_NAME)) return {};
    return device.DeviceID;
}

Monitor Describe(HMONITOR handle, bool several) {
    MONITORINFOEXW info{};
    info.cbSize = sizeof(info);
    ::GetMonitorInfoW(handle, &info);
    Monitor m;
    m.Bounds = ToRect(info.rcMonitor);
    m.WorkArea = ToRect(info.rcWork);
    m.Primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
    m.Dpi = several ? MonitorDpi(handle) : static_cast<int>(WindowDpi(nullptr));
    if (HDC dc = ::CreateDCW(L"DISPLAY", info.szDevice, nullptr, nullptr)) {
        m.ReportedWidthMM = ::GetDeviceCaps(dc, HORZSIZE);
        m.ReportedHeightMM = ::GetDeviceCaps(dc, VERTSIZE);
        ::DeleteDC(dc);
    }
    const std::wstring interfaceName = InterfaceNameOf(info.szDevice);
    const std::vector<std::uint8_t> bytes = ReadEdid(interfaceName);
    const std::optional<EdidInfo> edid = ParseEdid(bytes);
    if (edid) {
        m.Size = PlausibleSize(*edid, m.Bounds.Width(), m.Bounds.Height());
        m.Name.assign(edid->Name.begin(), edid->Name.end());
    }
    m.Id = MonitorIdOf(edid, interfaceName.empty() ? std::wstring(info.szDevice) : interfaceName);
    return m;
}

BOOL CALLBACK AddMonitor(HMONITOR handle, HDC, LPRECT, LPARAM list) {
    reinterpret_cast<std::vector<HMONITOR>*>(list)->push_back(handle);
    return TRUE;
}

} // namespace

MonitorLayout ReadMonitorLayout() {
    std::vector<HMONITOR> handles;
    ::EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&handles));
    std::vector<Monitor> monitors;
    for (HMONITOR handle : handles)
        monitors.push_back(Describe(handle, handles.size() > 1));
    const Rect primary{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    return MonitorLayout(std::move(monitors), primary);
}
