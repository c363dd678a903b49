#include "Monitors.h"

#include <algorithm>
#include <stdexcept>

namespace {

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM param) {
    MONITORINFOEXW info{};
    info.cbSize = sizeof(info);
    if (::GetMonitorInfoW(monitor, &info))
        reinterpret_cast<std::vector<MonitorArea>*>(param)->push_back(
            {info.szDevice, info.rcMonitor, info.rcWork,
             (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
    return TRUE;
}

const wchar_t kDisplayEnum[] = L"SYSTEM\\CurrentControlSet\\Enum\\DISPLAY";
// Wine's own device property of a monitor: the name of its adapter.
const wchar_t kWineAdapterProperty[] = L"Properties\\{233a9ef3-afc4-4abd-b564-c32f21f1535b}\\0005";

std::vector<std::wstring> SubkeyNames(HKEY key) {
    std::vector<std::wstring> names;
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = 256;
        if (::RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            return names;
        names.emplace_back(name, length);
    }
}

// The text of a key's default value, whatever its type says.
std::wstring DefaultText(const std::wstring& key) {
    wchar_t text[256] = {};
    DWORD size = sizeof(text) - sizeof(wchar_t);
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return L"";
    const LSTATUS status =
        ::RegQueryValueExW(opened, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
    ::RegCloseKey(opened);
    return status == ERROR_SUCCESS ? text : L"";
}

// The monitor key under Enum\DISPLAY whose adapter record names the device.
std::wstring WineMonitorKey(const std::wstring& device) {
    HKEY display = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kDisplayEnum, 0, KEY_READ, &display) != ERROR_SUCCESS)
        return L"";
    std::wstring found;
    for (const std::wstring& model : SubkeyNames(display)) {
        HKEY modelKey = nullptr;
        if (::RegOpenKeyExW(display, model.c_str(), 0, KEY_READ, &modelKey) != ERROR_SUCCESS)
            continue;
        for (const std::wstring& instance : SubkeyNames(modelKey)) {
            const std::wstring key = std::wstring(kDisplayEnum) + L"\\" + model + L"\\" + instance;
            if (DefaultText(key + L"\\" + kWineAdapterProperty) == device) found = key;
        }
        ::RegCloseKey(modelKey);
    }
    ::RegCloseKey(display);
    return found;
}

} // namespace

std::vector<MonitorArea> Monitors() {
    std::vector<MonitorArea> monitors;
    ::EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    std::sort(monitors.begin(), monitors.end(),
              [](const MonitorArea& a, const MonitorArea& b) { return a.Device < b.Device; });
    return monitors;
}

std::wstring MonitorParametersKey(const std::wstring& device) {
    DISPLAY_DEVICEW monitor{};
    monitor.cb = sizeof(monitor);
    if (!::EnumDisplayDevicesW(device.c_str(), 0, &monitor, EDD_GET_DEVICE_INTERFACE_NAME))
        return L"";
    // \\?\DISPLAY#<model>#<instance>#{class}
    const std::wstring id = monitor.DeviceID;
    const size_t model = id.find(L'#');
    const size_t instance = model == std::wstring::npos ? model : id.find(L'#', model + 1);
    const size_t end = instance == std::wstring::npos ? instance : id.find(L'#', instance + 1);
    if (end == std::wstring::npos) return L"";
    return std::wstring(kDisplayEnum) + L"\\" + id.substr(model + 1, instance - model - 1) + L"\\" +
           id.substr(instance + 1, end - instance - 1) + L"\\Device Parameters";
}

std::vector<std::uint8_t> StoredEdid(const std::wstring& device) {
    const std::wstring key = MonitorParametersKey(device);
    std::vector<std::uint8_t> edid(1024);
    DWORD size = static_cast<DWORD>(edid.size());
    if (key.empty() || ::RegGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), L"EDID", RRF_RT_REG_BINARY,
                                      nullptr, edid.data(), &size) != ERROR_SUCCESS)
        return {};
    edid.resize(size);
    return edid;
}

PlantedEdid::PlantedEdid(const std::wstring& device, const std::vector<std::uint8_t>& block) {
    const std::wstring key = WineMonitorKey(device);
    if (key.empty()) throw std::runtime_error("no monitor key names the device");
    m_value = std::make_unique<RegistryValueScope>(
        HKEY_LOCAL_MACHINE, (key + L"\\Device Parameters").c_str(), L"EDID", REG_BINARY,
        block.data(), static_cast<DWORD>(block.size()));
}
