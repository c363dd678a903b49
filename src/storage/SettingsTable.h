#pragma once
// Settings as data: one row per key (section, key, the field it fills,
// default, stored form), and one load and one save loop over the rows. The
// rows' order is the order of the keys in the file.
#include "storage/CustomIniFile.h"
#include "storage/IniHelpers.h"
#include "util/Color.h"
#include "util/ColorText.h"

#include <cstdint>
#include <optional>
#include <span>
#include <type_traits>
#include <variant>

// A colour is stored as six hex digits, a shortcut as a 16-bit integer.
struct ColorField {
    TColor* Value;
    // A malformed text reads as "no colour" instead of the default.
    bool MalformedIsNone = false;
};
struct ShortcutField {
    std::uint16_t* Value;
};
// An enumeration held in a byte, stored as its ordinal.
struct OrdinalField {
    std::uint8_t* Value;
};
using SettingField = std::variant<bool*, int*, double*, ColorField, ShortcutField, OrdinalField>;

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

namespace settings_detail {

template <class Model> double DefaultOf(const SettingRow<Model>& row, const SettingField& field) {
    if (!row.KeepCurrent) return row.Default;
    return std::visit(
        [](const auto& f) -> double {
            using F = std::decay_t<decltype(f)>;
            if constexpr (std::is_same_v<F, ColorField> || std::is_same_v<F, ShortcutField> ||
                          std::is_same_v<F, OrdinalField>)
                return static_cast<double>(*f.Value);
            else
                return static_cast<double>(*f);
        },
        field);
}

} // namespace settings_detail

template <class Model>
void LoadSettingsTable(std::span<const SettingRow<Model>> rows, TCustomIniFile& ini, Model& model) {
    for (const SettingRow<Model>& row : rows) {
        const SettingField field = row.Field(model);
        const double def = settings_detail::DefaultOf(row, field);
        double value = def;
        std::visit(
            [&](const auto& f) {
                using F = std::decay_t<decltype(f)>;
                if constexpr (std::is_same_v<F, bool*>)
                    value = ini.ReadBool(row.Section, row.Key, def != 0) ? 1 : 0;
                else if constexpr (std::is_same_v<F, int*>)
                    value = ini.ReadInteger(row.Section, row.Key, static_cast<std::int32_t>(def));
                else if constexpr (std::is_same_v<F, double*>)
                    value = ini.ReadFloat(row.Section, row.Key, def);
                else if constexpr (std::is_same_v<F, ColorField>)
                    value =
                        f.MalformedIsNone
                            ? ShortHexBGRToColor(
                                  ini.ReadString(row.Section, row.Key,
                                                 ColorToShortHexBGR(static_cast<TColor>(def))),
                                  clNone)
                            : INI_ReadColor(ini, row.Section, row.Key, static_cast<TColor>(def));
                else if constexpr (std::is_same_v<F, ShortcutField>)
                    value = static_cast<std::uint16_t>(
                        ini.ReadInteger(row.Section, row.Key, static_cast<std::int32_t>(def)));
                else
                    value = ini.ReadInteger(row.Section, row.Key, static_cast<std::int32_t>(def));
            },
            field);
        // An ordinal or length out of range (a damaged or foreign file) must
        // not reach the model.
        if (row.Valid && !row.Valid(value)) value = def;
        std::visit(
            [&](const auto& f) {
                using F = std::decay_t<decltype(f)>;
                if constexpr (std::is_same_v<F, bool*>)
                    *f = value != 0;
                else if constexpr (std::is_same_v<F, int*>)
                    *f = static_cast<int>(value);
                else if constexpr (std::is_same_v<F, double*>)
                    *f = value;
                else if constexpr (std::is_same_v<F, ColorField>)
                    *f.Value = static_cast<TColor>(value);
                else if constexpr (std::is_same_v<F, ShortcutField>)
                    *f.Value = static_cast<std::uint16_t>(value);
                else
                    *f.Value = static_cast<std::uint8_t>(value);
            },
            field);
    }
}

template <class Model>
void SaveSettingsTable(std::span<const SettingRow<Model>> rows, TCustomIniFile& ini,
                       const Model& model) {
    Model& readable = const_cast<Model&>(model); // the rows only read here
    for (const SettingRow<Model>& row : rows) {
        const SettingField field = row.Field(readable);
        std::visit(
            [&](const auto& f) {
                using F = std::decay_t<decltype(f)>;
                if constexpr (std::is_same_v<F, bool*>)
                    ini.WriteBool(row.Section, row.Key, row.SaveAs ? *row.SaveAs != 0 : *f);
                else if constexpr (std::is_same_v<F, int*>)
                    ini.WriteInteger(row.Section, row.Key,
                                     row.SaveAs ? static_cast<std::int32_t>(*row.SaveAs) : *f);
                else if constexpr (std::is_same_v<F, double*>)
                    INI_WriteLength(ini, row.Section, row.Key, row.SaveAs ? *row.SaveAs : *f);
                else if constexpr (std::is_same_v<F, ColorField>)
                    INI_WriteColor(ini, row.Section, row.Key, *f.Value);
                else
                    ini.WriteInteger(row.Section, row.Key, static_cast<std::int32_t>(*f.Value));
            },
            field);
    }
}
