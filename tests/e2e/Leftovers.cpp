// What a killed earlier run may have left in the registry: values that tests
// set for their own time only (a library refused to the program, a proxy,
// the server's address). Every run starts without them, so one killed run
// cannot fail the next.
#include "../common/ProgramRegistry.h"

#include "util/ProgramInfo.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

class Leftovers : public ::testing::Environment {
  public:
    void SetUp() override {
        ::RegDeleteTreeW(HKEY_CURRENT_USER,
                         L"Software\\Wine\\AppDefaults\\Dravik.exe\\DllOverrides");
        ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kInternetSettings, L"ProxyServer");
        const DWORD off = 0;
        ::RegSetKeyValueW(HKEY_CURRENT_USER, kInternetSettings, L"ProxyEnable", REG_DWORD, &off,
                          sizeof(off));
        ::RegDeleteKeyValueW(HKEY_CURRENT_USER, TProgramInfo().RegistryKey().c_str(), L"ServerURL");
    }
};

[[maybe_unused]] const ::testing::Environment* const kLeftovers =
    ::testing::AddGlobalTestEnvironment(new Leftovers);

} // namespace
