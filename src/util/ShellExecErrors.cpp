#include "util/ShellExecErrors.h"

#include "util/LocalText.h"
#include "util/PathUtils.h"
#include "util/StringUtils.h"

namespace {

constexpr LocalText kDefaultText{L"Fehler %d: Datei konnte nicht ausgeführt werden.",
                                 L"Error %d: the file could not be opened."};

struct TOwnText {
    int Code;
    LocalText Text;
};

// The built-in texts; "%d" stands for the code, "%s" for the file's extension,
// as in the texts a program may give in its own table.
constexpr TOwnText kOwnTexts[] = {
    {0, {L"Zu wenig Speicher.", L"Not enough memory."}},
    {2, {L"Die Datei wurde nicht gefunden.", L"The file was not found."}},
    {3, {L"Das Verzeichnis wurde nicht gefunden.", L"The folder was not found."}},
    {5,
     {L"Der Zugriff auf die Datei wurde vom Betriebssystem verweigert.",
      L"The operating system denied access to the file."}},
    {6,
     {L"Bibliothek forderte separate Datensegmente für jede Task an.",
      L"A library asked for separate data segments for each task."}},
    {8,
     {L"Zuwenig Speicher, um den Vorgang auszuführen.",
      L"Not enough memory to complete the operation."}},
    {10, {L"Falsche Windows-Version.", L"Wrong Windows version."}},
    {11,
     {L"Ungültige ausführbare Datei. Entweder keine Windows-Anwendung oder Fehler in der "
      L"EXE-Datei.",
      L"Invalid executable file: either not a Windows application or an error in the EXE file."}},
    {12,
     {L"Anwendung für ein anderes Betriebssystem.",
      L"The application is meant for another operating system."}},
    {13, {L"Anwendung für MS-DOS 4.0.", L"The application is meant for MS-DOS 4.0."}},
    {14, {L"Typ der ausführbaren Datei unbekannt.", L"Unknown type of executable file."}},
    {15,
     {L"Versuch, eine Real-Mode-Anwendung (für eine frühere Windows-Version) zu laden.",
      L"Attempt to load a real-mode application (for an earlier version of Windows)."}},
    {16,
     {L"Versuch, eine zweite Instanz einer ausführbaren Datei mit mehreren "
      L"Datensegmenten, die nicht als nur lesbar  gekennzeichnet waren, zu laden.",
      L"Attempt to load a second instance of an executable file with several data segments "
      L"that were not marked read-only."}},
    {19,
     {L"Versuch, eine komprimierte ausführbare Datei zu laden. Die Datei muß "
      L"dekomprimiert werden, bevor sie geladen werden kann.",
      L"Attempt to load a compressed executable file. The file must be decompressed before it "
      L"can be loaded."}},
    {20,
     {L"Ungültige dynamische Linkbibliothek (DLL). Eine der DLLs, die benötigt wurde, "
      L"um die Anwendung auszuführen, war beschädigt.",
      L"Invalid dynamic-link library (DLL). One of the DLLs needed to run the application was "
      L"damaged."}},
    {21,
     {L"Anwendung benötigt Windows-32-Bit-Erweiterungen.",
      L"The application needs 32-bit Windows extensions."}},
    {27,
     {L"Die Datei-Verknüpfung ist unvollständig oder ungültig.",
      L"The file association is incomplete or invalid."}},
    {28,
     {L"Die DDE-Transaktion konnte durch ein Timeout nicht fertiggestellt werden.",
      L"The DDE transaction could not be completed because it timed out."}},
    {29, {L"Die DDE-Transaktion ist fehlgeschlagen.", L"The DDE transaction failed."}},
    {30,
     {L"Die DDE-Transaktion nicht fertiggestellt werden, da andere DDE-Transaktionen "
      L"verarbeitet wurden.",
      L"The DDE transaction could not be completed because other DDE transactions were being "
      L"processed."}},
    {31,
     {L"Es wurde kein Programm gefunden, das Dateien des Typs \"%s\" ausführen kann.",
      L"No program was found that can open files of type \"%s\"."}},
    {32, {L"Die angegebene DLL wurde nicht gefunden.", L"The specified DLL was not found."}},
};

// The built-in text of a code; null for codes that fall under the default text.
const wchar_t* OwnText(int code) {
    for (const TOwnText& row : kOwnTexts)
        if (row.Code == code) return row.Text();
    return nullptr;
}

const std::wstring* Lookup(const std::map<std::wstring, std::wstring>* table,
                           const std::wstring& key) {
    if (!table) return nullptr;
    const auto it = table->find(key);
    return it == table->end() ? nullptr : &it->second;
}

} // namespace

std::wstring GetShellExecuteError(int code, const std::wstring& file,
                                  const std::map<std::wstring, std::wstring>* table) {
    if (code > 32) return {};
    const wchar_t* own = OwnText(code);
    std::wstring pattern;
    if (const auto* entry = Lookup(table, L"SE_ERR_" + std::to_wstring(code)))
        pattern = *entry;
    else if (const auto* fallback = own ? nullptr : Lookup(table, L"SE_ERR_DEF"))
        pattern = *fallback;
    else
        pattern = own ? own : kDefaultText();
    std::wstring text = MyReplace(pattern, L"%d", std::to_wstring(code), false, 0);
    text = MyReplace(text, L"%s", ExtractFileExtMV(file), false, 0);
    return text + L"\r\n" + file;
}
