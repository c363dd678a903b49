// The settings dialog's keyboard structure, read off its windows: what
// screen readers, accelerators and the tests rely on.
#include "settings/win/SettingsDlg.h"
#include "settings/win/SettingsDlgIds.h"
#include "util/win/Controls.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cwctype>
#include <map>
#include <string>
#include <vector>

namespace {

std::wstring ClassOf(HWND wnd) {
    wchar_t name[64] = {};
    ::GetClassNameW(wnd, name, 64);
    return name;
}

// The dialog's controls in tab order, containers opened up.
void Collect(HWND parent, std::vector<HWND>& out) {
    for (HWND c = ::GetWindow(parent, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        out.push_back(c);
        if (::GetWindowLongPtrW(c, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) Collect(c, out);
    }
}

wchar_t Accelerator(const std::wstring& text) {
    const auto amp = text.find(L'&');
    return amp == std::wstring::npos || amp + 1 >= text.size()
               ? 0
               : static_cast<wchar_t>(std::towlower(text[amp + 1]));
}

} // namespace

TEST(SettingsDlgShell, EveryFieldFollowsItsCaptionAndAcceleratorsAreUnique) {
    TSettingsDlg dialog;
    dialog.Create(nullptr);
    std::vector<HWND> controls;
    Collect(dialog.Handle(), controls);

    // The fields a caption names: each comes right after a caption of its own.
    const std::vector<int> fields{
        idCpbBack,           idCpbTicks,          idCpbMouseLine,           idCpbMousePosPosText,
        idCpbMousePosBack,   idHkMoveHotKeyUp,    idHkMoveHotKeyDown,       idHkMoveHotKeyLeft,
        idHkMoveHotKeyRight, idEMoveHotKeyMoveBy, idHkMeasureStart,         idHkEdgeSpan,
        idHkPinMark,         idEUserCmMeasured,   idEUserCmMeasuredChangeBy};
    for (int id : fields) {
        HWND field = nullptr;
        for (HWND c : controls)
            if (::GetDlgCtrlID(c) == id && ClassOf(c) != L"Button") field = c;
        ASSERT_NE(field, nullptr) << id;
        const HWND caption = ::GetWindow(field, GW_HWNDPREV);
        EXPECT_EQ(ClassOf(caption), L"Static") << id;
        EXPECT_NE(Accelerator(WindowText(caption)), 0) << id;
    }

    // One letter, one control: captions, buttons, radios and the check box.
    std::map<wchar_t, std::wstring> taken;
    for (HWND c : controls) {
        const std::wstring text = WindowText(c);
        const wchar_t key = Accelerator(text);
        if (!key) continue;
        EXPECT_TRUE(taken.emplace(key, text).second)
            << "\"" << std::string(text.begin(), text.end()) << "\"";
    }
    EXPECT_GE(taken.size(), 19u);
}
