#include "ruler/win/HookLibrary.h"

#include "ruler/RulerTexts.h"
#include "util/StringUtils.h"
#include "util/UserError.h"
#include "util/win/Handles.h"
#include "util/win/MVUtilWin.h"

namespace {

using InstallFn = BOOL(WINAPI*)(int, HWND);
using IsSetFn = BOOL(WINAPI*)();
using RemoveFn = void(WINAPI*)();
using MessageFn = UINT(WINAPI*)();

struct Functions {
    UniqueLibrary Module;
    InstallFn Install = nullptr;
    IsSetFn IsSet = nullptr;
    RemoveFn Remove = nullptr;
    MessageFn Message = nullptr;
};

Functions& Library() {
    static Functions functions;
    return functions;
}

template <typename F> F Resolve(HMODULE module, const char* name, const std::wstring& path) {
    auto* address = reinterpret_cast<void*>(::GetProcAddress(module, name));
    if (!address)
        throw EUserError(FormatText(RulerText::HookLibraryForeign, {Quoted(path), Widen(name)}));
    return reinterpret_cast<F>(address);
}

} // namespace

void HookLibrary::Load() {
    Load(AppDirAnd(L"zephal.dll"));
}

void HookLibrary::Load(const std::wstring& path) {
    Functions& f = Library();
    f = Functions{};
    // No "cannot find" or "bad image" box of the system's own: we say it.
    const UINT oldMode = ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    UniqueLibrary module(::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
    ::SetErrorMode(oldMode);
    if (!module) {
        const bool missing = ::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES;
        throw EUserError(
            FormatText(missing ? RulerText::HookLibraryMissing : RulerText::HookLibraryBroken,
                       {Quoted(path)}));
    }
    const HMODULE m = module.Get();
    f.Install = Resolve<InstallFn>(m, "InstallHookMouse", path);
    f.IsSet = Resolve<IsSetFn>(m, "IsHookSetMouse", path);
    f.Remove = Resolve<RemoveFn>(m, "RemoveHookMouse", path);
    f.Message = Resolve<MessageFn>(m, "GetMonitorMouseMoveMsg", path);
    f.Module = std::move(module);
}

bool HookLibrary::Loaded() {
    return Library().Module.Get() != nullptr;
}

BOOL HookLibrary::InstallHookMouse(int reserved, HWND target) {
    return Loaded() && Library().Install(reserved, target);
}
BOOL HookLibrary::IsHookSetMouse() {
    return Loaded() && Library().IsSet();
}
void HookLibrary::RemoveHookMouse() {
    if (Loaded()) Library().Remove();
}
UINT HookLibrary::GetMonitorMouseMoveMsg() {
    return Loaded() ? Library().Message() : 0;
}
