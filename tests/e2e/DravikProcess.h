#pragma once
// Starts the real Dravik.exe, finds its ruler window and asks it for its state
// through the test control channel.
#include "../common/TestFiles.h"
#include "ruler/win/RulerStateKeys.h"

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct DravikOptions {
    std::wstring ExtraArgs;
    // The folder whose Dravik.exe and zephal.dll are copied (with a trailing
    // "\"); the test program's own folder when empty.
    std::wstring ProgramDir;
    // A settings file "Dravik.ini" beside the program copy (portable use),
    // with these bytes; without it the program looks in the user's folders.
    bool PortableSettings = true;
    TBytes Settings;
    // More files beside the program copy: name and bytes.
    std::vector<std::pair<std::wstring, TBytes>> Files;
    // The hook library beside the copy: the real one, none, or these bytes.
    enum class Hook { Real, Missing, Broken } HookFile = Hook::Real;
    // Whether to wait for the ruler window (a copy that must end at once has none).
    bool ExpectRuler = true;
    // The update check's bookkeeping as after a check a moment ago, so no
    // update dialog opens; false leaves it as the test set it.
    bool UpdateCheckedJustNow = true;
    // Environment variables set for the copy only (Wine reads its own, such
    // as WINEDEBUG and WINEDLLOVERRIDES, from the program's environment).
    std::vector<std::pair<std::wstring, std::wstring>> Environment;
    // Called with the settings file's path once the files are in place,
    // just before the copy starts (to hold the file open, say).
    std::function<void(const std::wstring& settingsFile)> BeforeStart;
};

class DravikProcess {
  public:
    // Copies Dravik.exe and zephal.dll into a scratch folder of its own,
    // starts that copy with the test switch and waits until the ruler window
    // is up. The folder goes with the object, also when a test fails.
    explicit DravikProcess(const DravikOptions& options = {});
    ~DravikProcess();
    DravikProcess(const DravikProcess&) = delete;
    DravikProcess& operator=(const DravikProcess&) = delete;

    HWND Ruler() const { return m_ruler; }
    // A top-level window of the copy by its class, shown or hidden; null
    // when there is none.
    HWND ProgramWindow(const wchar_t* cls) const;
    // The program copy's folder and its portable settings file.
    std::wstring Folder() const { return m_folder->Path(); }
    std::wstring SettingsFile() const { return m_folder->File(L"Dravik.ini"); }
    // Closes the ruler as "Beenden" does and waits for the process to end.
    bool Close(DWORD timeoutMs = 5000);
    bool Running() const;
    // The full paths of the modules loaded in the copy's process.
    std::vector<std::wstring> Modules() const;
    // Waits for the process to end; true when it did within the time.
    bool WaitForExit(DWORD timeoutMs);

    // Waits for a message box of the program; its text, or "" after the time.
    std::wstring WaitForMessageBox(DWORD timeoutMs, HWND* box = nullptr);
    DWORD ExitCode() const;

    // Sends a command to the test control channel and returns the answer.
    std::wstring Ask(const std::wstring& command);
    // "state" parsed into key/value pairs, and one value of it as a number.
    class StateValues {
      public:
        explicit StateValues(std::map<std::wstring, std::wstring> values)
            : m_values(std::move(values)) {}
        // The value, or "" when the state has no such key.
        std::wstring operator[](RulerStateKey key) const {
            const auto it = m_values.find(key.Name);
            return it == m_values.end() ? std::wstring() : it->second;
        }
        bool Has(RulerStateKey key) const { return m_values.count(key.Name) != 0; }
        const std::map<std::wstring, std::wstring>& All() const { return m_values; }

      private:
        std::map<std::wstring, std::wstring> m_values;
    };
    StateValues State();
    long long StateInt(RulerStateKey key);
    double StateDouble(RulerStateKey key);

    // Returns once the ruler has taken from its queue everything queued for
    // it before (a hotkey, a key); false when it did not answer in the time.
    bool Sync(DWORD timeoutMs = 5000);
    // A system-wide hotkey of the ruler, pressed until the ruler has it.
    // Wine's X11 driver brings its modifier state in line with the X
    // server's keyboard whenever a window gets the focus or the pointer
    // enters one (KeymapNotify); injected modifiers exist only on the Windows
    // side, so such a resync in the middle of a combination releases them and
    // the key arrives alone (under load, about one start in ten). A user
    // presses again when nothing happened; so does this, and only then: the
    // ruler counts the hotkeys it handled, and Sync makes that count final.
    // False when three presses did not reach it.
    bool PressHotkey(std::initializer_list<WORD> modifiers, WORD key);

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
    std::unique_ptr<ScratchFolder> m_folder;
    PROCESS_INFORMATION m_process{};
    HWND m_ruler = nullptr;
    HWND m_replyWindow = nullptr;
};

// The update check's bookkeeping as right after a check, in the registry
// the program reads it from.
void MarkUpdateCheckedJustNow();

// The folder of this test program, with a trailing backslash.
std::wstring TestProgramDir();
