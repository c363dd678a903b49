#pragma once
// Starts the real Dravik.exe, finds its ruler window and asks it for its state
// through the test control channel.
#include <windows.h>

#include <map>
#include <string>
#include <vector>

class DravikProcess {
  public:
    // Starts Dravik.exe from the folder of this test program with the test
    // switch and extra arguments; waits until the ruler window is up.
    explicit DravikProcess(const std::wstring& extraArgs = L"");
    ~DravikProcess();
    DravikProcess(const DravikProcess&) = delete;
    DravikProcess& operator=(const DravikProcess&) = delete;

    HWND Ruler() const { return m_ruler; }
    bool Running() const;
    // Waits for the process to end; true when it did within the time.
    bool WaitForExit(DWORD timeoutMs);

    // Sends a command to the test control channel and returns the answer.
    std::wstring Ask(const std::wstring& command);
    // "state" parsed into key/value pairs, and one value of it as a number.
    std::map<std::wstring, std::wstring> State();
    long long StateInt(const std::wstring& key);
    double StateDouble(const std::wstring& key);

    // Polls the state until pred holds (the program runs asynchronously to the
    // injected input); returns whether it did within the time.
    template <typename Pred> bool WaitUntil(Pred pred, DWORD timeoutMs = 3000) {
        const DWORD start = ::GetTickCount();
        do {
            if (pred()) return true;
            ::Sleep(10);
        } while (::GetTickCount() - start < timeoutMs);
        return pred();
    }

  private:
    PROCESS_INFORMATION m_process{};
    HWND m_ruler = nullptr;
    HWND m_replyWindow = nullptr;
};

// The folder of this test program, with a trailing backslash.
std::wstring TestProgramDir();
