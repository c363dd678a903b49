// The settings store with a file of 10 000 keys (100 sections of 100 keys):
// loading it, 10 000 lookups, and saving it.
#include "storage/FileSystem.h"
#include "storage/MvIni.h"
#include "storage/MvMemIni.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

constexpr int Sections = 100;
constexpr int KeysPerSection = 100;

std::wstring SectionName(int s) {
    return L"Section" + std::to_wstring(s);
}
std::wstring KeyName(int k) {
    return L"Key" + std::to_wstring(k);
}

// A settings file in the temporary folder, written once for all benchmarks.
const std::wstring& BenchFile() {
    static const std::wstring file = [] {
        const auto path = std::filesystem::temp_directory_path() / "dravik-ini-bench.ini";
        const std::wstring name = path.wstring();
        TMvMemIniFile ini(L"", TIniTextEncoding::Utf16LE);
        for (int s = 0; s < Sections; ++s)
            for (int k = 0; k < KeysPerSection; ++k)
                ini.WriteString(SectionName(s), KeyName(k), L"Value " + std::to_wstring(s * k));
        FileSystem().WriteFileAtomically(name, ini.GetBytes());
        return name;
    }();
    return file;
}

void BM_IniLoad(benchmark::State& state) {
    const auto& file = BenchFile();
    for (auto _ : state) {
        TMvIni ini(file, sifUnicode);
        benchmark::DoNotOptimize(ini.SectionExists(L"Section0"));
    }
}
BENCHMARK(BM_IniLoad)->Unit(benchmark::kMillisecond);

void BM_IniLookups(benchmark::State& state) {
    TMvIni ini(BenchFile(), sifUnicode);
    for (auto _ : state) {
        // Letter case differs from the file's, as it may in the program.
        for (int s = 0; s < Sections; ++s)
            for (int k = 0; k < KeysPerSection; ++k)
                benchmark::DoNotOptimize(ini.ReadString(L"SECTION" + std::to_wstring(s),
                                                        L"key" + std::to_wstring(k), L""));
    }
    state.SetItemsProcessed(state.iterations() * Sections * KeysPerSection);
}
BENCHMARK(BM_IniLookups)->Unit(benchmark::kMillisecond);

void BM_IniSave(benchmark::State& state) {
    TMvIni ini(BenchFile(), sifUnicode);
    TBytes bytes;
    ini.SaveToStream(bytes);
    for (auto _ : state) {
        // Rewrites the same value: the whole file is rebuilt and replaced unchanged.
        ini.WriteString(L"Section0", L"Key0", L"Value 0");
        ini.UpdateFile();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_IniSave)->Unit(benchmark::kMillisecond);

} // namespace
