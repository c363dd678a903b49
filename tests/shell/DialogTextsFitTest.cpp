// Every window with controls shows each of its texts whole, in German and in
// English, at the DPI the system runs at: the test command runs this suite
// at 96 DPI with the others and once more at 144 DPI (DRAVIK_EXPECTED_DPI
// then says which, so that a run that did not get its DPI fails).
//
// Each window is looked at in the state that shows its longest texts: the
// settings dialog naming a monitor in its calibration frame, the colour
// window with its verdicts and notes filled in, the update dialog with its
// interval list.
#include "../common/TestFiles.h"
#include "../common/UiLanguageScope.h"
#include "TextFit.h"
#include "colour/win/MVColorDlg.h"
#include "colour/win/MVColorForm.h"
#include "online/win/InfoForm.h"
#include "online/win/MVOnlineUpdateForm.h"
#include "online/win/WishDlg.h"
#include "settings/win/SettingsDlg.h"
#include "storage/win/Win32Storage.h"
#include "util/Language.h"
#include "util/win/Fonts.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <tuple>

namespace {

struct TMeasured {
    UINT Dpi = 0;
    std::vector<TTextFit> Fits;
};

TMeasured MeasureWindow(HWND window) {
    return {WindowDpi(window), MeasureControlTexts(window)};
}

// A modal dialog measured while its loop runs, after whatever its showing
// filled in, then closed as by its close box.
thread_local TMeasured* t_modalMeasured = nullptr;

void CALLBACK MeasureAndClose(HWND dialog, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(dialog, timer);
    *t_modalMeasured = MeasureWindow(dialog);
    ::PostMessageW(dialog, WM_CLOSE, 0, 0);
}

TMeasured MeasureWhileModal(HWND dialog, const std::function<void()>& showModal) {
    TMeasured measured;
    t_modalMeasured = &measured;
    ::SetTimer(dialog, 1, 10, &MeasureAndClose);
    showModal();
    t_modalMeasured = nullptr;
    return measured;
}

TMeasured SettingsDialog() {
    TSettingsDlg dialog;
    // With several monitors the calibration frame's caption names the one
    // it is for (a monitor's own name has at most 13 characters).
    dialog.CalibratedMonitor = L"DELL U2723QE";
    dialog.Create(nullptr);
    return MeasureWhileModal(dialog.Handle(), [&] { dialog.ShowModal(); });
}

// The colour window as the ruler opens it, with only "Schließen", or as a
// dialog with "OK" and "Abbrechen"; arrange sets the colours and notes.
TMeasured ColorWindow(bool onlyClose, const std::function<void(TMVColorForm&)>& arrange) {
    InstallWin32Storage();
    ScratchFolder folder;
    TMVColorDlg dlg;
    dlg.IniName = folder.File(L"Dravik.ini");
    dlg.RGBText = L"HTML"; // as the ruler names the field
    TMeasured measured;
    if (dlg.Execute(false, nullptr)) {
        TMVColorForm& form = *OpenColorForm();
        form.SetOnlyCloseBtn(onlyClose);
        arrange(form);
        measured = MeasureWindow(form.Handle());
    }
    ReleaseColorForm();
    return measured;
}

TMeasured ColorWindowContrastPasses() {
    return ColorWindow(true, [](TMVColorForm& form) {
        form.SetNewColor(clBlack);
        form.SetBackground(clWhite);
    });
}

TMeasured ColorWindowContrastFailsAndNoted() {
    return ColorWindow(false, [](TMVColorForm& form) {
        form.SetNewColor(0x808080);
        form.SetBackground(0x808080);
        // Out of sRGB and with an opacity: both remarks in the note.
        ::SetWindowTextW(::GetDlgItem(form.Handle(), idCssInput), L"oklch(0.9 0.4 30 / 50%)");
    });
}

TProgramInfo AboutInfo() {
    TProgramInfo info;
    info.Adresse = {L"Morvane Software", L"Lindenstraße 12", L"12345 Neustadt"};
    info.TelFax = {L"Tel.: +49 1234 567890", L"Fax: +49 1234 567891"};
    return info;
}

TMeasured AboutDialog() {
    const TProgramInfo info = AboutInfo();
    TInfoForm form;
    form.Create(nullptr, info);
    return MeasureWhileModal(form.Handle(), [&] { form.ShowModal(); });
}

TMeasured FeedbackDialog() {
    const TProgramInfo info = AboutInfo();
    TWishDlg dialog;
    dialog.ProgramInfo = &info;
    dialog.Create(nullptr);
    return MeasureWhileModal(dialog.Handle(), [&] { dialog.ShowModal(); });
}

TMeasured UpdateDialog() {
    TOnlineUpdateDlg dialog;
    dialog.UpdMessage = L"Es liegt eine neue Version vor.";
    dialog.Create(nullptr);
    // The interval list shows after a click on the settings link.
    return MeasureWhileModal(dialog.Handle(), [&] {
        dialog.lSettingsClick();
        dialog.ShowModal();
    });
}

struct TWindowCase {
    const char* Name;
    TMeasured (*Open)();
};

const TWindowCase Windows[] = {
    {"Settings", &SettingsDialog},
    {"ColourWindowPassing", &ColorWindowContrastPasses},
    {"ColourDialogFailingWithNote", &ColorWindowContrastFailsAndNoted},
    {"About", &AboutDialog},
    {"Feedback", &FeedbackDialog},
    {"Update", &UpdateDialog},
};

const char* NameOf(Language language) {
    return language == Language::English ? "English" : "German";
}

using TCase = std::tuple<TWindowCase, Language>;

class DialogTextsFit : public ::testing::TestWithParam<TCase> {};

} // namespace

TEST_P(DialogTextsFit, EveryTextShowsWhole) {
    const auto& [window, language] = GetParam();
    TMeasured measured;
    {
        const UiLanguageScope scope(language);
        measured = window.Open();
    }
    ASSERT_FALSE(measured.Fits.empty()) << "no text found";
    if (const char* expected = std::getenv("DRAVIK_EXPECTED_DPI")) {
        EXPECT_EQ(measured.Dpi, static_cast<UINT>(std::atoi(expected)));
    }
    int cut = 0;
    for (const TTextFit& fit : measured.Fits) {
        if (fit.Fits()) continue;
        ++cut;
        ADD_FAILURE() << window.Name << " (" << NameOf(language) << ", " << measured.Dpi
                      << " DPI): " << Describe(fit);
    }
    std::printf("%s, %s, %u DPI: %zu texts measured, %d cut off\n", window.Name, NameOf(language),
                measured.Dpi, measured.Fits.size(), cut);
}

INSTANTIATE_TEST_SUITE_P(Windows, DialogTextsFit,
                         ::testing::Combine(::testing::ValuesIn(Windows),
                                            ::testing::Values(Language::German, Language::English)),
                         [](const ::testing::TestParamInfo<TCase>& test) {
                             return std::string(std::get<0>(test.param).Name) + "_" +
                                    NameOf(std::get<1>(test.param));
                         });
