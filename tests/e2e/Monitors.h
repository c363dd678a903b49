#pragma once
// The monitors as a program sees them, and the EDID Windows keeps for each:
// what the tests on several monitors set up and check.
#include "../common/ProgramRegistry.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct MonitorArea {
    std::wstring Device; // "\\.\DISPLAY1", ...
    RECT Rect;
    RECT Work;
    bool Primary;
};

// Every monitor, in the order of their device names.
std::vector<MonitorArea> Monitors();

// The key below HKEY_LOCAL_MACHINE that holds a monitor's "EDID", found the
// way a program finds it: the device interface name of the device's monitor
// (EnumDisplayDevicesW with EDD_GET_DEVICE_INTERFACE_NAME) is
// "\\?\DISPLAY#<model>#<instance>#{class}", and the key is
// SYSTEM\CurrentControlSet\Enum\DISPLAY\<model>\<instance>\Device Parameters.
// Empty when the device has no monitor.
std::wstring MonitorParametersKey(const std::wstring& device);

// The "EDID" value under that key; empty when there is none.
std::vector<std::uint8_t> StoredEdid(const std::wstring& device);

// An "EDID" value for the monitor of one device while the object lives, then
// the value as before (Wine writes "BAD_EDID" where its X server gave none).
// Wine records each monitor's adapter (\\.\DISPLAYn) in a device property
// of the monitor's key; the value goes under the key whose record names the
// device. Found that way, and not through the interface name, a test that
// reads it back checks the route a program takes. Throws when no key names
// the device.
class PlantedEdid {
  public:
    PlantedEdid(const std::wstring& device, const std::vector<std::uint8_t>& block);

  private:
    std::unique_ptr<RegistryValueScope> m_value;
};
