#pragma once
// Settings as data: one row per key (section, key, the field it fills,
// default, stored form), and one load and one save loop over the rows. The
// rows' order is the order of the keys in the file.
//
// Each stored form is one codec: it reads and writes its key, and moves the
// value between the model's field and the loop, which sees every value as a
// number (so a default, a range check and a fixed stored value are stated
// once for every form).
#include "storage/CustomIniFile.h"
#include "storage/IniHelpers.h"
#include "util/Color.h"
#include "util/ColorText.h"
#include "util/Language.h"

#include <cstdint>
#include <optional>
#include <span>
#include <variant>

namespace settings_codec {

using Ini = TCustomIniFile;

// "1" or "0".
struct Bool {
    bool* Value;
    double Get() const { return *Value ? 1 : 0; }
    void Set(double v) const { *Value = v != 0; }
    static double Read(Ini& ini, const wchar_t* s, const wchar_t* k, double def) {
        return ini.ReadBool(s, k, def != 0) ? 1 : 0;
    }
    static void Write(Ini& ini, const wchar_t* s, const wchar_t* k, double v) {
        ini.WriteBool(s, k, v != 0);
    }
};

// A whole number.
struct Int {
    int* Value;
    double Get() const { return *Value; }
    void Set(double v) const { *Value = static_cast<int>(v); }
    static double Read(Ini& ini, const wchar_t* s, const wchar_t* k, double def) {
        return ini.ReadInteger(s, k, static_cast<std::int32_t>(def));
    }
    static void Write(Ini& ini, const wchar_t* s, const wchar_t* k, double v) {
        ini.WriteInteger(s, k, static_cast<std::int32_t>(v));
    }
};

// A length with a decimal comma, as the settings file has always held it.
struct Length {
    double* Value;
    double Get() const { return *Value; }
    void Set(double v) const { *Value = v; }
    static double Read(Ini& ini, const wchar_t* s, const wchar_t* k, double def) {
        return ini.ReadFloat(s, k, def);
    }
    static void Write(Ini& ini, const wchar_t* s, const wchar_t* k, double v) {
        INI_WriteLength(ini, s, k, v);
    }
};

// Six hex digits in the stored (BGR) order; a malformed text reads as the
// default.
struct Color {
    TColor* Value;
    double Get() const { return *Value; }
    void Set(double v) const { *Value = static_cast<TColor>(v); }
    static double Read(Ini& ini, const wchar_t* s, const wchar_t* k, double def) {
        return INI_ReadColor(ini, s, k, static_cast<TColor>(def));
    }
    static void Write(Ini& ini, const wchar_t* s, const wchar_t* k, double v) {
        INI_WriteColor(ini, s, k, static_cast<TColor>(v));
    }
};

// As Color, but a malformed text reads as "no colour".
struct ColorOrNone : Color {
    static double Read(Ini& ini, const wchar_t* s, const wchar_t* k, double def) {
        return ShortHexBGRToColor(
            ini.ReadString(s, k, ColorToShortHexBGR(static_cast<TColor>(def))), clNone);
    }
};

// A 16-bit shortcut value as an integer.
struct Shortcut {
    std::uint16_t* Value;
    double Get() const { return *Value; }
    void Set(double v) const { *Value = static_cast<std::uint16_t>(v); }
    static double Read(Ini& ini, const wchar_t* s, const wchar_t* k, double def) {
        return static_cast<std::uint16_t>(ini.ReadInteger(s, k, static_cast<std::int32_t>(def)));
    }
    static void Write(Ini& ini, const wchar_t* s, const wchar_t* k, double v) {
        ini.WriteInteger(s, k, static_cast<std::int32_t>(v));
    }
};

// An enumeration held in a byte, stored as its ordinal.
struct Ordinal {
    std::uint8_t* Value;
    double Get() const { return *Value; }
    void Set(double v) const { *Value = static_cast<std::uint8_t>(v); }
    static double Read(Ini& ini, const wchar_t* s, const wchar_t* k, double def) {
        return ini.ReadInteger(s, k, static_cast<std::int32_t>(def));
    }
    static void Write(Ini& ini, const wchar_t* s, const wchar_t* k, double v) {
        ini.WriteInteger(s, k, static_cast<std::int32_t>(v));
    }
};

// The language of the user interface as "de", "en" or empty (automatic); any
// other text reads as automatic.
struct LanguageCode {
    LanguageChoice* Value;
    double Get() const { return static_cast<double>(*Value); }
    void Set(double v) const { *Value = static_cast<LanguageChoice>(v); }
    static double Read(Ini& ini, const wchar_t* s, const wchar_t* k, double def) {
        const auto fallback = StoredLanguageChoice(static_cast<LanguageChoice>(def));
        return static_cast<double>(ParseLanguageChoice(ini.ReadString(s, k, fallback)));
    }
    static void Write(Ini& ini, const wchar_t* s, const wchar_t* k, double v) {
        ini.WriteString(s, k, StoredLanguageChoice(static_cast<LanguageChoice>(v)));
    }
};

} // namespace settings_codec

using SettingField =
    std::variant<settings_codec::Bool, settings_codec::Int, settings_codec::Length,
                 settings_codec::Color, settings_codec::ColorOrNone, settings_codec::Shortcut,
                 settings_codec::Ordinal, settings_codec::LanguageCode>;

template <class Model> struct SettingRow {
    const wchar_t* Section = L"";
    const wchar_t* Key = L"";
    SettingField (*Field)(Model&) = nullptr;
    // Missing keys give this; with KeepCurrent, the value the model already
    // holds (defaults that the caller works out, such as a screen position).
    double Default = 0;
    bool KeepCurrent = false;
    // A stored value that fails this reads as the default.
    bool (*Valid)(double) = nullptr;
    // Written instead of the field's value.
    std::optional<double> SaveAs;
};

template <class Model>
void LoadSettingsTable(std::span<const SettingRow<Model>> rows, TCustomIniFile& ini, Model& model) {
    for (const SettingRow<Model>& row : rows) {
        std::visit(
            [&](const auto& field) {
                const double def = row.KeepCurrent ? field.Get() : row.Default;
                double value = field.Read(ini, row.Section, row.Key, def);
                // An ordinal or length out of range (a damaged or foreign
                // file) must not reach the model.
                if (row.Valid && !row.Valid(value)) value = def;
                field.Set(value);
            },
            row.Field(model));
    }
}

template <class Model>
void SaveSettingsTable(std::span<const SettingRow<Model>> rows, TCustomIniFile& ini,
                       const Model& model) {
    // The rows hand out fields to fill; saving reads them from a copy.
    Model values = model;
    for (const SettingRow<Model>& row : rows) {
        std::visit(
            [&](const auto& field) {
                field.Write(ini, row.Section, row.Key, row.SaveAs.value_or(field.Get()));
            },
            row.Field(values));
    }
}
