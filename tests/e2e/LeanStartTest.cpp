// What the program loads, and when: the ruler alone maps none of the
// libraries of the network, the Internet settings, the common dialogs and
// the help viewer; each feature loads its own when it is first used, and
// works; one that cannot be loaded at that moment gives the feature's German
// error, and the ruler runs on.
#include "../common/ProgramRegistry.h"
#include "../common/VendorServer.h"
#include "WindowDriver.h"

#include "colour/win/MVColorFormIds.h"
#include "online/UpdateCheck.h"
#include "online/win/MVOnlineUpdate.h"
#include "online/win/OnlineIds.h"
#include "ruler/win/RulerCommands.h"
#include "util/ProgramInfo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <functional>
#include <string>
#include <vector>

namespace {

using Names = std::vector<std::wstring>;

// The network and its certificates, the Internet settings, the common
// dialogs (winspool.drv comes with their printing) and the help viewer.
// COM (ole32.dll) is loaded on first use by the program too, but is not
// among these: Wine's shell loads it itself for one of the special folders
// the settings location reads at start.
const Names kNetwork = {L"ws2_32.dll", L"crypt32.dll", L"bcrypt.dll", L"wininet.dll"};
const Names kDialogs = {L"comdlg32.dll", L"winspool.drv"};
const Names kHelp = {L"hhctrl.ocx"};

std::wstring Lower(std::wstring text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    return text;
}

// Which of the names the copy has loaded.
Names LoadedOf(const DravikProcess& dravik, const Names& names) {
    Names loaded;
    for (const std::wstring& path : dravik.Modules()) {
        const std::wstring file = Lower(path.substr(path.find_last_of(L'\\') + 1));
        if (std::find(names.begin(), names.end(), file) != names.end()) loaded.push_back(file);
    }
    std::sort(loaded.begin(), loaded.end());
    return loaded;
}

Names Sorted(Names names) {
    std::sort(names.begin(), names.end());
    return names;
}

Names Joined(std::initializer_list<Names> lists) {
    Names all;
    for (const Names& list : lists)
        all.insert(all.end(), list.begin(), list.end());
    return all;
}

// A 2 x 2 picture as a 24-bit BMP file: a blue and a green pixel a row.
TBytes TinyBmp() {
    TBytes bytes = AsciiBytes("BM");
    auto put = [&](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i)
            bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    };
    put(54 + 16, 4), put(0, 4), put(54, 4);                  // file header
    put(40, 4), put(2, 4), put(2, 4), put(1, 2), put(24, 2); // size, planes, bits
    put(0, 4), put(16, 4), put(2835, 4), put(2835, 4);       // uncompressed, 72 dpi
    put(0, 4), put(0, 4);                                    // no colour table
    for (int row = 0; row < 2; ++row)
        put(0x0000FF, 3), put(0x00FF00, 3), put(0, 2); // blue, green red; padding
    return bytes;
}

struct LeanStart : ::testing::Test {
    const VendorServer server;
    ScratchFolder pictures{"dravik-pictures"};
    ~LeanStart() override { KeepScreenshotIfFailed(); }

    static DravikOptions Copy(bool updateCheckedJustNow = true) {
        return {.Settings = SettingsFile(L"Magnifier=0"),
                .Files = {{L"Hilfe.chm", ReadBytes(TestProgramDir() + L"Hilfe.chm")}},
                .UpdateCheckedJustNow = updateCheckedJustNow};
    }

    static HWND Open(DravikProcess& dravik, UINT command, const wchar_t* cls) {
        ::PostMessageW(dravik.Ruler(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
        return ShownProgramWindow(dravik, cls, 10000);
    }

    // The update dialog from the menu and a search: its message line after it.
    static std::wstring SearchFromTheMenu(DravikProcess& dravik) {
        const HWND dlg = Open(dravik, idCheckUpdate, UpdateDlgClass);
        if (!dlg) return L"(no update dialog)";
        const HWND message = Control(dlg, idUpdMessage);
        const std::wstring before = Text(message);
        ClickUntil(dravik, Control(dlg, idUpdSearch), [&] {
            return !::IsWindowEnabled(Control(dlg, idUpdSearch)) || Text(message) != before;
        });
        dravik.WaitUntil(
            [&] { return ::IsWindowEnabled(Control(dlg, idUpdSearch)) && Text(message) != before; },
            10000);
        const std::wstring shown = Text(message);
        ClickUntil(dravik, Control(dlg, idUpdClose), [&] { return !::IsWindow(dlg); });
        return shown;
    }

    // "Bild laden..." of the colour window, as its button reports a click.
    static HWND LoadPicture(DravikProcess& dravik) {
        const HWND form = Open(dravik, idPickColor, ColorFormClass);
        if (form)
            ::PostMessageW(form, WM_COMMAND, MAKEWPARAM(idLoadImg, BN_CLICKED),
                           reinterpret_cast<LPARAM>(Control(form, idLoadImg)));
        return form;
    }

    // The open dialog takes the picture's name; the picture page shows it.
    ::testing::AssertionResult PictureShown(DravikProcess& dravik) {
        const std::wstring file = pictures.File(L"zwei.bmp");
        WriteBytes(file, TinyBmp());
        const HWND form = LoadPicture(dravik);
        const HWND open = ShownProgramWindow(dravik, L"#32770", 10000);
        if (!form || !open) return ::testing::AssertionFailure() << "no open dialog";
        // The name field, the dialog's only edit (in a combo box of the
        // Explorer-style dialog).
        ::SendMessageW(ChildOfClass(open, L"Edit"), WM_SETTEXT, 0,
                       reinterpret_cast<LPARAM>(file.c_str()));
        ::PostMessageW(open, WM_COMMAND, IDOK, 0);
        const HWND pages = Control(form, idPalName);
        const bool shown =
            dravik.WaitUntil([&] { return ::SendMessageW(pages, CB_GETCURSEL, 0, 0) == 7; }, 10000);
        ::PostMessageW(form, WM_CLOSE, 0, 0);
        if (shown) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "the picture page \"Benutzer-Bild\" did not show";
    }
};

} // namespace

// Each feature on a ruler of its own: nothing of it at start, its libraries
// after its first use.
TEST_F(LeanStart, EachFeatureLoadsItsLibrariesWhenFirstUsedAndWorks) {
    const Names deferred = Joined({kNetwork, kDialogs, kHelp});
    struct Row {
        const char* Feature;
        bool UpdateCheckDue;
        std::function<::testing::AssertionResult(DravikProcess&)> Use;
        Names Loads;
    };
    const Row rows[] = {
        {"the update search", false,
         [](DravikProcess& dravik) -> ::testing::AssertionResult {
             const std::wstring shown = SearchFromTheMenu(dravik);
             if (shown == L"Ihre Version ist aktuell.") return ::testing::AssertionSuccess();
             return ::testing::AssertionFailure() << Narrow(shown);
         },
         kNetwork},
        {"the automatic check when it is due", true,
         [&](DravikProcess& dravik) -> ::testing::AssertionResult {
             if (dravik.WaitUntil([&] { return !server.Requests().empty(); }, 10000) &&
                 dravik.WaitUntil([&] { return dravik.StateInt(RulerState::UpdateCheck) == 0; },
                                  10000))
                 return ::testing::AssertionSuccess();
             return ::testing::AssertionFailure() << "the due check did not ask the server";
         },
         kNetwork},
        {"the About window with the contact data", false,
         [](DravikProcess& dravik) -> ::testing::AssertionResult {
             const HWND about = Open(dravik, idAbout, InfoFormClass);
             if (!about) return ::testing::AssertionFailure() << "no About window";
             const std::wstring address = Text(Control(about, idInfoAnschrift));
             ::PostMessageW(about, WM_COMMAND, idInfoOK, 0);
             if (address.rfind(L"Kai 1", 0) == 0) return ::testing::AssertionSuccess();
             return ::testing::AssertionFailure() << "address " << Narrow(address);
         },
         kNetwork},
        {"the help", false,
         [](DravikProcess& dravik) -> ::testing::AssertionResult {
             const HWND viewer = Open(dravik, idHelp, L"HH Parent");
             if (!viewer) return ::testing::AssertionFailure() << "no help viewer";
             ::PostMessageW(viewer, WM_CLOSE, 0, 0);
             return ::testing::AssertionSuccess();
         },
         kHelp},
        {"a picture in the colour window",
         false,
         [this](DravikProcess& dravik) { return PictureShown(dravik); },
         {L"comdlg32.dll", L"windowscodecs.dll"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Feature);
        if (row.UpdateCheckDue) {
            MarkUpdateCheckedJustNow();
            OpenUpdateCheckStore(TProgramInfo())
                ->WriteDateTime(UpdateCheckSection, L"LastCheck", LocalNow() - 30);
        }
        DravikProcess dravik(Copy(!row.UpdateCheckDue));
        if (!row.UpdateCheckDue) {
            EXPECT_EQ(LoadedOf(dravik, deferred), Names{}) << "at start";
        }
        EXPECT_TRUE(row.Use(dravik));
        EXPECT_EQ(LoadedOf(dravik, row.Loads), Sorted(row.Loads));
        EXPECT_TRUE(dravik.Running());
    }
}

// A library refused for the program (Wine's per-program load order): the
// feature says what it says when it fails, and the ruler runs on.
TEST_F(LeanStart, ALibraryThatCannotBeLoadedGivesTheFeaturesGermanError) {
    struct Row {
        const wchar_t* Library;
        std::function<std::wstring(DravikProcess&)> Use; // what the user reads then
        std::wstring Shown;
    };
    const Row rows[] = {
        {L"crypt32", SearchFromTheMenu, L"Fehler Die Verbindung zum Server ist fehlgeschlagen."},
        {L"comdlg32",
         [](DravikProcess& dravik) {
             const HWND form = LoadPicture(dravik);
             HWND box = nullptr;
             const std::wstring text = dravik.WaitForMessageBox(10000, &box);
             if (box) ::PostMessageW(box, WM_COMMAND, IDOK, 0);
             dravik.WaitUntil([&] { return !::IsWindow(box); });
             ::PostMessageW(form, WM_CLOSE, 0, 0);
             return text;
         },
         L"Ein Systemaufruf ist fehlgeschlagen."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(Narrow(row.Library));
        const RegistryValueScope refused(L"Software\\Wine\\AppDefaults\\Dravik.exe\\DllOverrides",
                                         row.Library, L"");
        DravikProcess dravik(Copy());
        EXPECT_EQ(row.Use(dravik), row.Shown);
        EXPECT_TRUE(dravik.Running());
        EXPECT_TRUE(dravik.State().Has(RulerState::Left)) << "the ruler answers";
    }
}
