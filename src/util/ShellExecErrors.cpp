#include "util/ShellExecErrors.h"

#include "util/PathUtils.h"
#include "util/StringUtils.h"

namespace {

const wchar_t* const kDefaultText = L"Fehler %d: Datei konnte nicht ausgeführt werden.";

// The built-in text of a code; null for codes that fall under the default text.
const wchar_t* OwnText(int code) {
    switch (code) {
    case 0:
        return L"Zu wenig Speicher.";
    case 2:
        return L"Die Datei wurde nicht gefunden.";
    case 3:
        return L"Das Verzeichnis wurde nicht gefunden.";
    case 5:
        return L"Der Zugriff auf die Datei wurde vom Betriebssystem verweigert.";
    case 6:
        return L"Bibliothek forderte separate Datensegmente für jede Task an.";
    case 8:
        return L"Zuwenig Speicher, um den Vorgang auszuführen.";
    case 10:
        return L"Falsche Windows-Version.";
    case 11:
        return L"Ungültige ausführbare Datei. Entweder keine Windows-Anwendung oder Fehler in der "
               L"EXE-Datei.";
    case 12:
        return L"Anwendung für ein anderes Betriebssystem.";
    case 13:
        return L"Anwendung für MS-DOS 4.0.";
    case 14:
        return L"Typ der ausführbaren Datei unbekannt.";
    case 15:
        return L"Versuch, eine Real-Mode-Anwendung (für eine frühere Windows-Version) zu laden.";
    case 16:
        return L"Versuch, eine zweite Instanz einer ausführbaren Datei mit mehreren "
               L"Datensegmenten, die nicht als nur lesbar  gekennzeichnet waren, zu laden.";
    case 19:
        return L"Versuch, eine komprimierte ausführbare Datei zu laden. Die Datei muß "
               L"dekomprimiert werden, bevor sie geladen werden kann.";
    case 20:
        return L"Ungültige dynamische Linkbibliothek (DLL). Eine der DLLs, die benötigt wurde, "
               L"um die Anwendung auszuführen, war beschädigt.";
    case 21:
        return L"Anwendung benötigt Windows-32-Bit-Erweiterungen.";
    case 27:
        return L"Die Datei-Verknüpfung ist unvollständig oder ungültig.";
    case 28:
        return L"Die DDE-Transaktion konnte durch ein Timeout nicht fertiggestellt werden.";
    case 29:
        return L"Die DDE-Transaktion ist fehlgeschlagen.";
    case 30:
        return L"Die DDE-Transaktion nicht fertiggestellt werden, da andere DDE-Transaktionen "
               L"verarbeitet wurden.";
    case 31:
        return L"Es wurde kein Programm gefunden, das Dateien des Typs \"%s\" ausführen kann.";
    case 32:
        return L"Die angegebene DLL wurde nicht gefunden.";
    default:
        return nullptr;
    }
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
        pattern = own ? own : kDefaultText;
    std::wstring text = MyReplace(pattern, L"%d", std::to_wstring(code), false, 0);
    text = MyReplace(text, L"%s", ExtractFileExtMV(file), false, 0);
    return text + L"\r\n" + file;
}
