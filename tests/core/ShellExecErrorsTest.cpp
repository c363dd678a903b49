#include "util/ShellExecErrors.h"

#include <gtest/gtest.h>

TEST(ShellExecuteError, SuccessCodesGiveNoText) {
    EXPECT_EQ(GetShellExecuteError(33, L"x.txt"), L"");
    EXPECT_EQ(GetShellExecuteError(42, L"x.txt"), L"");
}

TEST(ShellExecuteError, KnownCodesFollowedByLineBreakAndFile) {
    EXPECT_EQ(GetShellExecuteError(2, L"C:\\a.txt"),
              L"Die Datei wurde nicht gefunden.\r\nC:\\a.txt");
    EXPECT_EQ(GetShellExecuteError(0, L"f"), L"Zu wenig Speicher.\r\nf");
    EXPECT_EQ(GetShellExecuteError(32, L"f"), L"Die angegebene DLL wurde nicht gefunden.\r\nf");
}

TEST(ShellExecuteError, ExactWordingOfTheTrickyTexts) {
    EXPECT_EQ(GetShellExecuteError(16, L"f"),
              L"Versuch, eine zweite Instanz einer ausführbaren Datei mit mehreren "
              L"Datensegmenten, die nicht als nur lesbar  gekennzeichnet waren, zu laden.\r\nf");
    EXPECT_EQ(GetShellExecuteError(19, L"f"),
              L"Versuch, eine komprimierte ausführbare Datei zu laden. Die Datei mu\u00DF "
              L"dekomprimiert werden, bevor sie geladen werden kann.\r\nf");
    EXPECT_EQ(GetShellExecuteError(6, L"f"),
              L"Bibliothek forderte separate Datensegmente f\u00FCr jede Task an.\r\nf");
    EXPECT_EQ(GetShellExecuteError(30, L"f"),
              L"Die DDE-Transaktion nicht fertiggestellt werden, da andere DDE-Transaktionen "
              L"verarbeitet wurden.\r\nf");
}

TEST(ShellExecuteError, NoAssociationNamesTheExtension) {
    EXPECT_EQ(GetShellExecuteError(31, L"C:\\x.y\\Bild.XYZ"),
              L"Es wurde kein Programm gefunden, das Dateien des Typs \".XYZ\" ausf\u00FChren "
              L"kann.\r\nC:\\x.y\\Bild.XYZ");
    EXPECT_EQ(GetShellExecuteError(31, L"C:\\x.y\\Bild"),
              L"Es wurde kein Programm gefunden, das Dateien des Typs \"\" ausf\u00FChren "
              L"kann.\r\nC:\\x.y\\Bild");
}

TEST(ShellExecuteError, OtherCodesUseTheNumberedDefault) {
    EXPECT_EQ(GetShellExecuteError(7, L"f"),
              L"Fehler 7: Datei konnte nicht ausgef\u00FChrt werden.\r\nf");
    EXPECT_EQ(GetShellExecuteError(-2, L"f"),
              L"Fehler -2: Datei konnte nicht ausgef\u00FChrt werden.\r\nf");
}

TEST(ShellExecuteError, MessageTableReplacesTexts) {
    const std::map<std::wstring, std::wstring> table = {{L"SE_ERR_2", L"File not found."},
                                                        {L"SE_ERR_31", L"No program for %s."},
                                                        {L"SE_ERR_DEF", L"Error %d."}};
    EXPECT_EQ(GetShellExecuteError(2, L"f", &table), L"File not found.\r\nf");
    EXPECT_EQ(GetShellExecuteError(31, L"a.pdf", &table), L"No program for .pdf.\r\na.pdf");
    EXPECT_EQ(GetShellExecuteError(9, L"f", &table), L"Error 9.\r\nf");
    // A code with a text of its own but no table entry keeps its own text.
    EXPECT_EQ(GetShellExecuteError(3, L"f", &table), L"Das Verzeichnis wurde nicht gefunden.\r\nf");
    const std::map<std::wstring, std::wstring> empty;
    EXPECT_EQ(GetShellExecuteError(9, L"f", &empty),
              L"Fehler 9: Datei konnte nicht ausgef\u00FChrt werden.\r\nf");
}
