#include "storage/WndStateSaver.h"

#include "util/AssertionFailed.h"
#include "util/LocalText.h"

#include <algorithm>

namespace {

constexpr wchar_t Section[] = L"WndStates";
constexpr int Missing = -10000;

bool Sizeable(TFormBorderStyle style) {
    return style == TFormBorderStyle::bsSizeable || style == TFormBorderStyle::bsSizeToolWin;
}

// A stored extent of no size is no extent (a hand-edited or damaged file).
int StoredExtent(TCustomIniFile& ini, const std::wstring& key) {
    const int value = ini.ReadInteger(Section, key, Missing);
    return value > 0 ? value : Missing;
}

// One axis of the place: centred when missing, pulled back onto the work
// area when stored outside it.
int PlaceOnAxis(int stored, int extent, int farEdge) {
    if (stored == Missing) return (farEdge - extent) / 2;
    if (stored < 0) return 0;
    if (stored + extent > farEdge) return farEdge - extent;
    return stored;
}

// Mistakes of the program, not the user's; shown all the same, so in both languages.
constexpr LocalText kNoName{L"%1: Das Form dessen WindowState gespeicht werden soll hat keinen "
                            L"Namen. Namen vergeben oder SaveInstance := true",
                            L"%1: the form whose window state is to be saved has no name. Give "
                            L"it a name or set SaveInstance := true"};
constexpr LocalText kNoIniName{L"%1: IniName darf nicht leer sein. Setzen z.B. in OnFormCreate.",
                               L"%1: IniName must not be empty. Set it in OnFormCreate, say."};
constexpr LocalText kNotDesigned{L"%1.Position muss auf poDesigned sein!",
                                 L"%1.Position must be poDesigned!"};

} // namespace

TWndStateSaver::TWndStateSaver(TWndStateHost& host, std::wstring name)
    : FHost(host), FName(std::move(name)) {
    SetSaveState(true);
    SetSaveSize(true);
}

void TWndStateSaver::SetSaveSize(bool value) {
    FSaveSize = value && Sizeable(FHost.BorderStyle());
}

void TWndStateSaver::SetSaveState(bool value) {
    FSaveState = value && (FHost.BorderStyle() == TFormBorderStyle::bsSingle ||
                           FHost.BorderStyle() == TFormBorderStyle::bsSizeable);
}

void TWndStateSaver::CreateHandler() {
    if (FAutoLoad) LoadWndState();
}

void TWndStateSaver::DestroyHandler() {
    if (FAutoSave) SaveWndState();
}

std::wstring TWndStateSaver::Prefix() const {
    const std::wstring prefix = FSaveInstance ? FHost.Name() : FHost.ClassName();
    if (prefix.empty()) throw EAssertionFailed(FormatText(kNoName, {FName}));
    return prefix;
}

bool TWndStateSaver::Ready() {
    if (IniName.empty()) throw EAssertionFailed(FormatText(kNoIniName, {FName}));
    if (!FHost.PositionDesigned()) throw EAssertionFailed(FormatText(kNotDesigned, {FHost.Name()}));
    return Enabled;
}

void TWndStateSaver::LoadWndState(const std::wstring& iniName, TMvIniFormat iniFormat) {
    IniName = iniName;
    IniFormat = iniFormat;
    LoadWndState();
}

void TWndStateSaver::LoadWndState() {
    if (!Ready()) return;
    TMvIni ini(IniName, IniFormat);
    LoadFromIni(ini);
}

void TWndStateSaver::SaveWndState() {
    if (!Ready()) return;
    TMvIni ini(IniName, IniFormat);
    SaveToIni(ini);
}

void TWndStateSaver::LoadFromIni(TCustomIniFile& ini) {
    const std::wstring prefix = Prefix();
    const Rect area = FHost.WorkArea();
    Rect bounds = FHost.Bounds();
    int width = bounds.Width(), height = bounds.Height();
    if (FSaveSize) {
        // Capped by the work area's far edge, as the window is kept on it.
        if (const int stored = StoredExtent(ini, prefix + L"Height"); stored != Missing)
            height = std::min(area.Bottom, stored);
        else if (FDefHeight > 0)
            height = std::min(area.Height(), FDefHeight);
        if (const int stored = StoredExtent(ini, prefix + L"Width"); stored != Missing)
            width = std::min(area.Right, stored);
        else if (FDefWidth > 0)
            width = std::min(area.Width(), FDefWidth);
    }
    const int storedTop =
        FSavePosition ? ini.ReadInteger(Section, prefix + L"Top", Missing) : Missing;
    const int storedLeft =
        FSavePosition ? ini.ReadInteger(Section, prefix + L"Left", Missing) : Missing;
    const int top = PlaceOnAxis(storedTop, height, area.Bottom);
    const int left = PlaceOnAxis(storedLeft, width, area.Right);
    FHost.SetBounds(Rect::FromSize(left, top, width, height));

    if (!FSaveState) return;
    const int state = ini.ReadInteger(Section, prefix + L"State", -1);
    if (state != -1) {
        FWindowStateValid = true;
        FWindowState = state == 1 ? wsMinimized : state == 2 ? wsMaximized : wsNormal;
    } else {
        FWindowStateValid = FDefState != wsNormal;
        FWindowState = FDefState;
    }
    if (FWindowStateValid && FAutoLoadStateProp) SetWindowStateProperty();
}

void TWndStateSaver::SetWindowStateProperty() {
    if (!FSaveState || FWindowStateDone || !FWindowStateValid) return;
    FWindowStateDone = true;
    FHost.SetWindowState(FWindowState);
}

void TWndStateSaver::SaveToIni(TCustomIniFile& ini) {
    const std::wstring prefix = Prefix();
    const TWindowState state = FHost.WindowState();
    if (FSaveState) {
        const TWindowState stored = state == wsMinimized && !FStoreMinimized ? wsNormal : state;
        ini.WriteInteger(Section, prefix + L"State", static_cast<int>(stored));
    }
    // A maximised window keeps the place it had before.
    if (state == wsMaximized) return;
    const Rect bounds = FHost.Bounds();
    if (FSaveSize) {
        ini.WriteInteger(Section, prefix + L"Height", bounds.Height());
        ini.WriteInteger(Section, prefix + L"Width", bounds.Width());
    }
    if (FSavePosition) {
        ini.WriteInteger(Section, prefix + L"Top", bounds.Top);
        ini.WriteInteger(Section, prefix + L"Left", bounds.Left);
    }
}
