#include "DravikProcess.h"

#include "../common/Input.h"

#include "online/win/MVOnlineUpdate.h"
#include "util/win/TestControl.h"

#include <psapi.h>

#include <algorithm>
#include <cwchar>
#include <sstream>
#include <stdexcept>

namespace {

std::wstring g_lastReply;
LPARAM g_lastSync = 0;

} // namespace

void MarkUpdateCheckedJustNow() {
    const auto store = OpenUpdateCheckStore(TProgramInfo());
    const TDateTime now = LocalNow();
    store->WriteString(UpdateCheckSection, L"Interval", L"aai4Weeks");
    store->WriteDateTime(UpdateCheckSection, L"LastCheck", now);
    store->WriteDate(UpdateCheckSection, L"FirstCheck", now);
    store->WriteBool(UpdateCheckSection, L"WishShown", false);
    store->WriteInteger(UpdateCheckSection, L"LastMsgID", 0);
}

namespace {

LRESULT CALLBACK ReplyProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == TestSyncMessage()) {
        g_lastSync = lParam;
        return 0;
    }
    if (msg == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (data && data->dwData == kTestControlReply) {
            g_lastReply.assign(static_cast<const wchar_t*>(data->lpData));
            return TRUE;
        }
    }
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

// A top-level window of a process by its class (visible ones only, if asked).
struct WindowSearch {
    DWORD Pid;
    const wchar_t* Class;
    bool VisibleOnly;
    HWND Found = nullptr;
};

BOOL CALLBACK MatchWindow(HWND wnd, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(wnd, &pid);
    wchar_t cls[64] = {};
    ::GetClassNameW(wnd, cls, 64);
    if (pid != search->Pid || std::wstring(cls) != search->Class) return TRUE;
    if (search->VisibleOnly && !::IsWindowVisible(wnd)) return TRUE;
    search->Found = wnd;
    return FALSE;
}

// This process's environment with the given variables set: a block of
// "name=value" strings, each ending in a zero, and one zero more.
std::wstring EnvironmentWith(const std::vector<std::pair<std::wstring, std::wstring>>& vars) {
    std::wstring block;
    wchar_t* own = ::GetEnvironmentStringsW();
    for (const wchar_t* entry = own; *entry; entry += std::wcslen(entry) + 1) {
        const std::wstring line(entry);
        const bool replaced = std::any_of(vars.begin(), vars.end(), [&](const auto& var) {
            return ::CompareStringOrdinal(line.c_str(), static_cast<int>(var.first.size()),
                                          var.first.c_str(), static_cast<int>(var.first.size()),
                                          TRUE) == CSTR_EQUAL &&
                   line.size() > var.first.size() && line[var.first.size()] == L'=';
        });
        if (!replaced) block += line + L'\0';
    }
    ::FreeEnvironmentStringsW(own);
    for (const auto& [name, value] : vars)
        block += name + L'=' + value + L'\0';
    return block + L'\0';
}

HWND FindProcessWindow(DWORD pid, const wchar_t* cls, bool visibleOnly) {
    WindowSearch search{pid, cls, visibleOnly};
    ::EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

} // namespace

std::wstring TestProgramDir() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir(path);
    return dir.substr(0, dir.find_last_of(L'\\') + 1);
}

DravikProcess::DravikProcess(const DravikOptions& options)
    : m_folder(std::make_unique<ScratchFolder>("dravik-e2e")) {
    const std::wstring from = options.ProgramDir.empty() ? TestProgramDir() : options.ProgramDir;
    if (!::CopyFileW((from + L"Dravik.exe").c_str(), m_folder->File(L"Dravik.exe").c_str(), FALSE))
        throw std::runtime_error("the program could not be copied");
    const std::wstring hook = m_folder->File(L"zephal.dll");
    if (options.HookFile == DravikOptions::Hook::Real &&
        !::CopyFileW((from + L"zephal.dll").c_str(), hook.c_str(), FALSE))
        throw std::runtime_error("the hook library could not be copied");
    if (options.HookFile == DravikOptions::Hook::Broken) WriteBytes(hook, AsciiBytes("MZ broken"));
    if (options.PortableSettings) WriteBytes(SettingsFile(), options.Settings);
    for (const auto& [name, bytes] : options.Files)
        WriteBytes(m_folder->File(name), bytes);

    if (options.UpdateCheckedJustNow) MarkUpdateCheckedJustNow();
    if (options.BeforeStart) options.BeforeStart(SettingsFile());

    WNDCLASSW wc{};
    wc.lpfnWndProc = &ReplyProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"DravikTestReply";
    ::RegisterClassW(&wc);
    m_replyWindow = ::CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                      nullptr, wc.hInstance, nullptr);

    // The pointer waits in a corner no window of the program opens on: under
    // Wine, a window that opens beneath the pointer can undo the test's next
    // injected moves (its late enter event puts the old position back).
    MoveMouseTo(1279, 0);

    const std::wstring exe = m_folder->File(L"Dravik.exe");
    std::wstring cmd = L"\"" + exe + L"\" -testcontrol " + options.ExtraArgs;
    STARTUPINFOW si{sizeof(si)};
    std::wstring environment = EnvironmentWith(options.Environment);
    // Wine now and then refuses to start a program copied a moment ago (the
    // copy still held open); a few more tries start it.
    bool started = false;
    DWORD error = 0;
    for (int attempt = 0; attempt < 5 && !started; ++attempt) {
        started = ::CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE,
                                   CREATE_UNICODE_ENVIRONMENT, environment.data(), Folder().c_str(),
                                   &si, &m_process) != FALSE;
        if (!started) {
            error = ::GetLastError();
            ::Sleep(100);
        }
    }
    if (!started)
        throw std::runtime_error("Dravik.exe could not be started (error " + std::to_string(error) +
                                 ")");
    ::WaitForInputIdle(m_process.hProcess, 10000);
    if (options.HookFile != DravikOptions::Hook::Real || !options.ExpectRuler) return;
    const DWORD start = ::GetTickCount();
    while (!m_ruler && ::GetTickCount() - start < 15000) {
        m_ruler = FindProcessWindow(m_process.dwProcessId, L"TMainDlg", false);
        if (!m_ruler) ::Sleep(20);
    }
    if (!m_ruler) throw std::runtime_error("the ruler window did not appear");
    // Up and answering: the first question waits for the window's start-up.
    WaitUntil([&] { return Ask(L"state").find(L"Left=") == 0; }, 10000);
}

HWND DravikProcess::ProgramWindow(const wchar_t* cls) const {
    return FindProcessWindow(m_process.dwProcessId, cls, false);
}

DravikProcess::~DravikProcess() {
    if (Running() && (!m_ruler || !Close())) {
        ::TerminateProcess(m_process.hProcess, 1);
        WaitForExit(5000);
    }
    ::CloseHandle(m_process.hThread);
    ::CloseHandle(m_process.hProcess);
    if (m_replyWindow) ::DestroyWindow(m_replyWindow);
}

std::wstring DravikProcess::WaitForMessageBox(DWORD timeoutMs, HWND* box) {
    HWND found = nullptr;
    wchar_t text[1024] = {};
    // A box just created may not hold its text yet: wait for that too.
    WaitUntil(
        [&] {
            found = FindProcessWindow(m_process.dwProcessId, L"#32770", true);
            return found && ::GetDlgItemTextW(found, 0xFFFF, text, 1024) > 0; // the box's message
        },
        timeoutMs);
    if (box) *box = found;
    return found ? text : L"";
}

DWORD DravikProcess::ExitCode() const {
    DWORD code = 0;
    ::GetExitCodeProcess(m_process.hProcess, &code);
    return code;
}

bool DravikProcess::Close(DWORD timeoutMs) {
    ::PostMessageW(m_ruler, WM_CLOSE, 0, 0);
    return WaitForExit(timeoutMs);
}

std::vector<std::wstring> DravikProcess::Modules() const {
    HMODULE modules[512] = {};
    DWORD bytes = 0;
    std::vector<std::wstring> paths;
    if (!::EnumProcessModules(m_process.hProcess, modules, sizeof(modules), &bytes)) return paths;
    for (DWORD i = 0; i < bytes / sizeof(HMODULE) && i < 512; ++i) {
        wchar_t path[MAX_PATH] = {};
        if (::GetModuleFileNameExW(m_process.hProcess, modules[i], path, MAX_PATH))
            paths.push_back(path);
    }
    return paths;
}

bool DravikProcess::Sync(DWORD timeoutMs) {
    static LPARAM token = 0;
    const LPARAM mine = ++token;
    ::PostMessageW(m_ruler, TestSyncMessage(), reinterpret_cast<WPARAM>(m_replyWindow), mine);
    return PumpUntil([&] { return g_lastSync == mine; }, timeoutMs);
}

bool DravikProcess::PressHotkey(std::initializer_list<WORD> modifiers, WORD key) {
    if (!Sync()) return false;
    const long long before = StateInt(RulerState::HotkeyPresses);
    for (int attempt = 0; attempt < 3; ++attempt) {
        PressKeyWith(modifiers, key);
        if (!Sync()) return false;
        if (StateInt(RulerState::HotkeyPresses) > before) return true;
    }
    return false;
}

bool DravikProcess::Running() const {
    return ::WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT;
}

bool DravikProcess::WaitForExit(DWORD timeoutMs) {
    return ::WaitForSingleObject(m_process.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

std::wstring DravikProcess::Ask(const std::wstring& command) {
    g_lastReply.clear();
    COPYDATASTRUCT data{kTestControlQuery, static_cast<DWORD>(command.size() * sizeof(wchar_t)),
                        const_cast<wchar_t*>(command.data())};
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(m_ruler, WM_COPYDATA, reinterpret_cast<WPARAM>(m_replyWindow),
                          reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 5000, &result);
    return g_lastReply;
}

DravikProcess::StateValues DravikProcess::State() {
    std::map<std::wstring, std::wstring> values;
    std::wistringstream lines(Ask(L"state"));
    std::wstring line;
    while (std::getline(lines, line)) {
        const auto eq = line.find(L'=');
        if (eq != std::wstring::npos) values[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return StateValues(std::move(values));
}

long long DravikProcess::StateInt(RulerStateKey key) {
    const StateValues values = State();
    if (!values.Has(key)) throw std::runtime_error("state has no such key");
    return std::stoll(values[key]);
}

double DravikProcess::StateDouble(RulerStateKey key) {
    const StateValues values = State();
    if (!values.Has(key)) throw std::runtime_error("state has no such key");
    return std::stod(values[key]);
}
