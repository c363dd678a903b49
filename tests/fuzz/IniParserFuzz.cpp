// libFuzzer target: the settings-file parser and the value decoders must take
// any bytes without crashing, and a loaded file must save to bytes that load
// back to the same content (a fixpoint after one save).
#include "storage/MvIni.h"
#include "storage/MvMemIni.h"
#include "util/DatePattern.h"
#include "util/Numbers.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

void RoundTrip(const std::uint8_t* data, std::size_t size) {
    TMvMemIniFile first(L"", TIniTextEncoding::Utf16LE);
    first.LoadFromBytes(data, size);
    const TBytes saved = first.GetBytes();
    Check(saved.size() >= 2 && saved[0] == 0xFF && saved[1] == 0xFE && saved.size() % 2 == 0);
    TMvMemIniFile second(L"", TIniTextEncoding::Utf16LE);
    second.LoadFromBytes(saved.data(), saved.size());
    Check(second.GetText() == first.GetText());
    Check(second.GetBytes() == saved);

    TMvMemIniFile ansi(L"", TIniTextEncoding::Ansi);
    ansi.LoadFromBytes(data, size);
    (void)ansi.GetBytes();
}

// Every key of the first sections through every typed reader.
void TypedReads(const std::uint8_t* data, std::size_t size) {
    TMvIni ini(L"");
    TMvMemIniFile parsed(L"", TIniTextEncoding::Utf16LE);
    parsed.LoadFromBytes(data, size);
    ini.SetStrings(parsed.GetStrings());
    TStrings sections;
    ini.ReadSections(sections);
    int budget = 64;
    for (const auto& section : sections) {
        TStrings keys;
        ini.ReadSection(section, keys);
        for (const auto& key : keys) {
            if (--budget < 0) return;
            (void)ini.ReadInteger(section, key, 0);
            (void)ini.ReadBool(section, key, false);
            (void)ini.ReadFloat(section, key, 0);
            (void)ini.ReadDate(section, key, 0);
            (void)ini.ReadDateTime(section, key, 0);
            (void)ini.ReadTime(section, key, 0);
            const std::wstring value = ini.ReadString(section, key, L"");
            (void)IsInt(value, true);
            (void)IsFloatNE(value, -1e9, 1e9);
        }
    }
}

// The first bytes as a short pattern, the rest as text: the pattern parser
// tries optional sections recursively, so patterns stay short (they are
// constants in the program).
void Patterns(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return;
    const std::size_t patternLength = data[0] % 16;
    if (size < 1 + patternLength) return;
    std::wstring pattern;
    for (std::size_t i = 1; i <= patternLength; ++i)
        pattern += static_cast<wchar_t>(data[i]);
    std::wstring text;
    for (std::size_t i = 1 + patternLength; i < size && text.size() < 64; ++i)
        text += static_cast<wchar_t>(data[i]);
    (void)StrToDateFormat(pattern, text, TDateTime(0));
    double value = 0;
    if (TryStrToFloat(text, value)) (void)FormatFloat(pattern, value);
    (void)FormatFloatMV(pattern, L'.', L',', static_cast<double>(StrToIntDef(text, 0)));
    (void)FormatDateTimePattern(pattern, StrToFloatDef(text, L'.', L',', 0));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    RoundTrip(data, size);
    TypedReads(data, size);
    Patterns(data, size);
    return 0;
}
