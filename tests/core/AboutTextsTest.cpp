#include "online/AboutTexts.h"
#include "online/FetchedText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Lines = std::vector<std::wstring>;

TEST(AboutTexts, ContactDataFromTheFetchedFile) {
    const struct {
        std::string file;
        Lines telFax;
        bool german;
        Lines address;
        Lines telFaxAfter;
    } cases[] = {
        {"Street=Hauptstr. 1\r\nCity=12345 Stadt\r\nCountry=Deutschland\r\nPhone=0123\r\nFax=0456",
         {},
         true,
         {L"Hauptstr. 1", L"12345 Stadt", L"Deutschland"},
         {L"Tel: 0123", L"Fax: 0456"}},
        {"city=Stadt\nPHONE=1=2\nStreet=erste\nStreet=zweite",
         {},
         false,
         {L"erste", L"Stadt", L""},
         {L"Phone: 1=2", L"Fax: "}},
        {"Street=Gr\xFC\xDF", {L"Tel. 7"}, true, {L"Grüß", L"", L""}, {L"Tel. 7"}}, // lines kept
        {"", {}, true, {L"", L"", L""}, {L"Tel: ", L"Fax: "}},
        {"Street", {}, true, {L"", L"", L""}, {L"Tel: ", L"Fax: "}}, // no "=": no key
    };
    for (const auto& c : cases) {
        const auto lines =
            DecodeFetchedText(reinterpret_cast<const std::uint8_t*>(c.file.data()), c.file.size());
        const TContactLines contact = ContactLinesFromFile(lines, c.telFax, c.german);
        EXPECT_EQ(contact.Address, c.address) << c.file;
        EXPECT_EQ(contact.TelFax, c.telFaxAfter) << c.file;
        EXPECT_TRUE(contact.Done);
    }
    // A line longer than any address is cut, its end marked.
    const std::string longStreet = "Street=" + std::string(60000, 'x') + "\r\nCity=Stadt";
    const TContactLines cut = ContactLinesFromFile(
        DecodeFetchedText(reinterpret_cast<const std::uint8_t*>(longStreet.data()),
                          longStreet.size()),
        {}, true);
    EXPECT_EQ(cut.Address[0], std::wstring(MaxContactLineLength - 1, L'x') + L"\u2026");
    EXPECT_EQ(cut.Address[1], L"Stadt");

    const TContactLines failed = ContactLinesAfterFailure({L"Tel. 7"});
    EXPECT_EQ(failed.Address, Lines{L"Unsere Anschrift finden Sie auf unserer Internetseite:"});
    EXPECT_EQ(failed.TelFax, Lines{L"Tel. 7"});
    EXPECT_FALSE(failed.Done);
}

TEST(AboutTexts, MailCommandAndProgramReport) {
    EXPECT_EQ(AboutMailCommand(L"info@morvane.de", L"Morvane Dravik Pro"),
              L"mailto:info@morvane.de?subject=Morvane%20Dravik%20Pro");
    EXPECT_EQ(
        ProgramReport(L"Morvane Dravik", L"2.2", L"C:\\Programme\\Dravik\\Dravik.exe", wvWindows7),
        L"App=Morvane Dravik\r\nVer=2.2\r\nDir=C:\\Programme\\Dravik\\Dravik.exe\r\n"
        L"Win=wvWindows7\r\n");
}
