#include "StartupWatch.h"

#include "LinuxCounters.h"
#include "WindowsCounters.h"

namespace {

double Ms(const FILETIME& t) {
    return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) |
                               t.dwLowDateTime) /
           1e4;
}

// Shown, and the update region empty: the first WM_PAINT is done (showing a
// window invalidates it in the same step that makes it visible).
bool Painted(HWND wnd) {
    return ::IsWindowVisible(wnd) && !::GetUpdateRect(wnd, nullptr, FALSE);
}

} // namespace

StartupWatch::StartupWatch(const wchar_t* windowClass, std::string unixName)
    : m_unixName(std::move(unixName)), m_thread([this, windowClass] { Look(windowClass); }) {}

StartupWatch::~StartupWatch() {
    m_stop = true;
    m_thread.join();
}

void StartupWatch::Look(const wchar_t* windowClass) {
    while (!m_stop) {
        const HWND wnd = ::FindWindowW(windowClass, nullptr);
        if (wnd && Painted(wnd)) {
            Take(wnd);
            m_seen = true;
            return;
        }
        ::Sleep(1);
    }
}

void StartupWatch::Take(HWND wnd) {
    FILETIME now;
    ::GetSystemTimePreciseAsFileTime(&now);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(wnd, &pid);
    const HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!process) return;
    FILETIME created, exited, kernel, user;
    if (::GetProcessTimes(process, &created, &exited, &kernel, &user))
        m_time.WallMs = Ms(now) - Ms(created);
    const double unixCpu = UnixCpuMs(UnixProcess(m_unixName));
    m_time.CpuMs = unixCpu >= 0 ? unixCpu : CpuMs(process);
    ::CloseHandle(process);
}

StartupTime StartupWatch::Wait(DWORD timeoutMs) {
    const DWORD start = ::GetTickCount();
    while (!m_seen && ::GetTickCount() - start < timeoutMs)
        ::Sleep(10);
    return m_seen ? m_time : StartupTime{};
}
