#pragma once
// Starting files, programs and web pages through the shell, with the German
// error texts of the shell's result codes.
#include <windows.h>

#include <functional>
#include <map>
#include <string>

using ShellMessageTable = std::map<std::wstring, std::wstring>;

// The shell's default action on a file, URL or command; shows an error box on failure.
bool RunCmd(const std::wstring& command, const std::wstring& extraErrorText = L"");

// RunFileExt3 owned by the application window, with the error box on.
// An empty verb means the shell's default action.
bool RunFileExt(const std::wstring& verb, const std::wstring& folder, const std::wstring& file,
                const ShellMessageTable* table, bool wait, int showState,
                const std::wstring& extraErrorText, const std::wstring& params);

// Runs file (joined to folder unless it already holds a "\") and reports
// through resultCode the shell's answer (above 32 is success, -2 before the
// call). On failure the German text, a line break and the file, followed by
// "\r\n" + extraErrorText when given, go to the error box when showError is set.
// With wait, the call returns after the started process has ended.
bool RunFileExt3(HWND owner, const std::wstring& verb, const std::wstring& folder,
                 const std::wstring& file, const ShellMessageTable* table, bool wait, int showState,
                 int& resultCode, bool showError, const std::wstring& extraErrorText,
                 const std::wstring& params);

// ShellExecuteExW and a wait for the started process (when the shell started
// one; documents opened in a running program return at once). Returns the
// shell's result code as ShellExecuteW would.
int ShellExecuteAndWait(const std::wstring& verb, const std::wstring& file,
                        const std::wstring& params, const std::wstring& folder, int showState);

// Tests record what would be started instead of starting it: while set, the
// recorder gets the verb, the file (joined to its folder) and the show state,
// and answers with the shell's result code. An empty recorder ends it.
using ShellExecuteRecorder =
    std::function<int(const std::wstring& verb, const std::wstring& file, int showState)>;
void SetShellExecuteRecorder(ShellExecuteRecorder recorder);
