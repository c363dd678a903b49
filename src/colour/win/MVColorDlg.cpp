#include "colour/win/MVColorDlg.h"

#include "colour/win/MVColorForm.h"
#include "util/AssertionFailed.h"
#include "util/LocalText.h"

#include <memory>

namespace {

// The one colour window of the program.
std::unique_ptr<TMVColorForm>& ColorForm() {
    static std::unique_ptr<TMVColorForm> form;
    return form;
}

// %1: the dialog component's name.
constexpr LocalText NoIniName{L"%1.IniName darf nicht leer sein", L"%1.IniName must not be empty"};

} // namespace

TMVColorForm* OpenColorForm() {
    return ColorForm().get();
}

void ReleaseColorForm() {
    ColorForm().reset();
}

TMVColorDlg::TMVColorDlg() = default;

bool TMVColorDlg::Execute(bool modal, HWND owner) {
    if (ColorForm()) {
        ColorForm()->BringToFront();
        return false;
    }
    // Checked before any window exists, so a failure leaves nothing behind.
    if (IniName.empty()) throw EAssertionFailed(FormatText(NoIniName, {Name}));
    auto& form = ColorForm();
    try {
        form = std::make_unique<TMVColorForm>();
        form->Create(owner);
        form->FOnBeforePickColor = [this] { EvBeforePickColor(); };
        form->FOnAfterPickColor = [this] { EvAfterPickColor(); };
        form->FIniName = IniName;
        form->FIniFormat = IniFormat;
        form->FPickerIcon = PickerIcon;
        form->FDefaultColor = DefaultColor;
        form->FUserImage = UserImage;
        form->SetOnlyCloseBtn(OnlyCloseBtn);
        form->SetUserColor(Color);
        if (!RGBText.empty()) form->SetRGBText(RGBText);
        if (modal) {
            const bool confirmed = form->ShowModal() == IDOK;
            if (confirmed) Color = form->GetUserColor();
            form.reset();
            return confirmed;
        }
        form->FOnCloseHandler = [this] { EvCloseHandler(); };
        form->ShowNonModal();
        return true;
    } catch (...) {
        form.reset(); // the next call opens a new window
        throw;
    }
}

void TMVColorDlg::EvBeforePickColor() {
    if (OnBeforePickColor) OnBeforePickColor(*this);
}

void TMVColorDlg::EvAfterPickColor() {
    if (OnAfterPickColor) OnAfterPickColor(*this);
}

void TMVColorDlg::EvCloseHandler() {
    auto& form = ColorForm();
    if (!form) return;
    Color = form->GetUserColor();
    form.reset();
    if (OnClosed) OnClosed(*this);
}
