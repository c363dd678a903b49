#include "util/win/ShellExec.h"

#include "util/PathUtils.h"
#include "util/ShellExecErrors.h"
#include "util/win/AppError.h"
#include "util/win/Handles.h"
#include "util/win/MVUtilWin.h"

#include <shellapi.h>

#include <utility>

namespace {

// The shell takes nullptr for "not given"; an empty text would be a value.
const wchar_t* OrNull(const std::wstring& text) {
    return text.empty() ? nullptr : text.c_str();
}

ShellExecuteRecorder& Recorder() {
    static ShellExecuteRecorder recorder;
    return recorder;
}

} // namespace

void SetShellExecuteRecorder(ShellExecuteRecorder recorder) {
    Recorder() = std::move(recorder);
}

int ShellExecuteAndWait(const std::wstring& verb, const std::wstring& file,
                        const std::wstring& params, const std::wstring& folder, int showState) {
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    // No shell error box: the caller shows its own German text.
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = OrNull(verb);
    info.lpFile = file.c_str();
    info.lpParameters = OrNull(params);
    info.lpDirectory = OrNull(folder);
    info.nShow = showState;
    const BOOL ok = ::ShellExecuteExW(&info);
    const DWORD lastError = ::GetLastError();
    UniqueKernelHandle process(info.hProcess);
    if (ok && process) ::WaitForSingleObject(process.Get(), INFINITE);
    const auto code = static_cast<int>(reinterpret_cast<INT_PTR>(info.hInstApp));
    // hInstApp is documented to agree with the result; where it does not, the
    // result wins, and a failure without a shell code reports the system error
    // when it fits the shell's range (2, 3, 5 mean the same in both).
    if (ok && code <= 32) return 33;
    if (!ok && code > 32) return lastError > 0 && lastError <= 32 ? static_cast<int>(lastError) : 1;
    return code;
}

bool RunFileExt3(HWND owner, const std::wstring& verb, const std::wstring& folder,
                 const std::wstring& file, const ShellMessageTable* table, bool wait, int showState,
                 int& resultCode, bool showError, const std::wstring& extraErrorText,
                 const std::wstring& params) {
    resultCode = -2;
    const std::wstring target =
        file.find(L'\\') != std::wstring::npos ? file : ConcatPath(folder, file);
    if (Recorder()) {
        resultCode = Recorder()(verb, target, showState);
    } else if (wait) {
        resultCode = ShellExecuteAndWait(verb, target, params, folder, showState);
    } else {
        const HINSTANCE result = ::ShellExecuteW(nullptr, OrNull(verb), target.c_str(),
                                                 OrNull(params), OrNull(folder), showState);
        resultCode = static_cast<int>(reinterpret_cast<INT_PTR>(result));
    }
    if (resultCode > 32) return true;

    std::wstring message = GetShellExecuteError(resultCode, file, table);
    if (!extraErrorText.empty()) message += L"\r\n" + extraErrorText;
    if (showError) ShowApplicationError(message, owner);
    return false;
}

bool RunFileExt(const std::wstring& verb, const std::wstring& folder, const std::wstring& file,
                const ShellMessageTable* table, bool wait, int showState,
                const std::wstring& extraErrorText, const std::wstring& params) {
    int resultCode = 0;
    return RunFileExt3(ApplicationWindow(), verb, folder, file, table, wait, showState, resultCode,
                       true, extraErrorText, params);
}

bool RunCmd(const std::wstring& command, const std::wstring& extraErrorText) {
    return RunFileExt(L"", L"", command, nullptr, false, SW_SHOWNORMAL, extraErrorText, L"");
}
