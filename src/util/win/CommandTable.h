#pragma once
// Commands as data: one row per command of a window (id, caption, key,
// handler, check and enabled state, icon, the name tests use). The same rows
// build the pop-up menu, dispatch WM_COMMAND and keys, set the menu's states
// when it opens, feed the owner drawing of its items and tell the selected
// item's hint.
#include "util/Glyph.h"
#include "util/KeyChord.h"
#include "util/LocalText.h"
#include "util/win/Handles.h"
#include "util/win/OwnerDrawMenu.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

enum class CommandKind : std::uint8_t { Item, Separator, Submenu, EndSubmenu };

template <class Owner> struct CommandRow {
    CommandKind Kind = CommandKind::Item;
    UINT Id = 0;
    const wchar_t* Name = L""; // the item's name; the test channel runs commands by it
    LocalText Caption = LocalText::Neutral(L"");
    // The key that runs the command while the window has the focus; a menu
    // item shows it right of its caption.
    KeyChord Key{};
    void (Owner::*Run)() = nullptr;
    bool (Owner::*Checked)() const = nullptr;
    // A radio item chooses its Value: Choose(Value) runs it, IsChosen(Value)
    // checks it.
    void (Owner::*Choose)(int) = nullptr;
    bool (Owner::*IsChosen)(int) const = nullptr;
    int Value = 0;
    bool (Owner::*Enabled)() const = nullptr;
    const wchar_t* Icon = nullptr; // the icon resource of its picture (menu item, tool button)
    GlyphFn Glyph = nullptr;       // or its picture drawn as lines (menu item)
    bool Hidden = false;           // runs by id, key or name, never shown in the menu
    LocalText Hint = LocalText::Neutral(L""); // what the item does, told while it is selected

    bool IsItem() const { return Kind == CommandKind::Item; }
    bool IsRadio() const { return Choose != nullptr; }
    bool IsChecked(const Owner& owner) const {
        if (IsChosen) return (owner.*IsChosen)(Value);
        return Checked && (owner.*Checked)();
    }
    bool IsEnabled(const Owner& owner) const { return !Enabled || (owner.*Enabled)(); }
};

template <class Owner> class CommandTable {
  public:
    using Row = CommandRow<Owner>;
    explicit CommandTable(std::span<const Row> rows) : m_rows(rows) {
        for (const Row& row : rows)
            for (Language language : {Language::German, Language::English})
                m_keyTexts[Index(language)].push_back(MenuKeyText(row.Key, language));
    }
    CommandTable(const CommandTable&) = delete;
    CommandTable& operator=(const CommandTable&) = delete;

    std::span<const Row> Rows() const { return m_rows; }

    // The pop-up menu with owner-drawn items; submenus nest.
    UniqueHMenu BuildMenu() const {
        std::vector<HMENU> open{::CreatePopupMenu()};
        for (const Row& row : m_rows) {
            if (row.Hidden) continue;
            switch (row.Kind) {
            case CommandKind::Submenu: {
                HMENU sub = ::CreatePopupMenu();
                Append(open.back(), row, sub);
                open.push_back(sub);
                break;
            }
            case CommandKind::EndSubmenu:
                if (open.size() > 1) open.pop_back();
                break;
            case CommandKind::Separator:
            case CommandKind::Item:
                Append(open.back(), row, nullptr);
                break;
            }
        }
        return UniqueHMenu(open.front());
    }

    const Row* ById(UINT id) const {
        for (const Row& row : m_rows)
            if (row.IsItem() && row.Id == id) return &row;
        return nullptr;
    }
    const Row* ByName(std::wstring_view name) const {
        for (const Row& row : m_rows)
            if (row.IsItem() && name == row.Name) return &row;
        return nullptr;
    }
    // The row of a key press (WM_KEYDOWN) or of a typed character (WM_CHAR).
    const Row* ByKey(std::uint8_t virtualKey, KeyMods held) const {
        for (const Row& row : m_rows)
            if (row.IsItem() && ChordMatchesKey(row.Key, virtualKey, held)) return &row;
        return nullptr;
    }
    const Row* ByChar(wchar_t character) const {
        for (const Row& row : m_rows)
            if (row.IsItem() && ChordMatchesChar(row.Key, character)) return &row;
        return nullptr;
    }
    // The text right of the row's caption, derived from its key.
    const std::wstring& KeyText(const Row& row) const {
        return m_keyTexts[Index(UiLanguage())][static_cast<std::size_t>(&row - m_rows.data())];
    }

    // Runs the command of this row, if it is enabled.
    bool Run(Owner& owner, const Row& row) const {
        if (!row.IsEnabled(owner)) return false;
        if (row.Choose) {
            (owner.*row.Choose)(row.Value);
            return true;
        }
        if (!row.Run) return false;
        (owner.*row.Run)();
        return true;
    }
    bool Execute(Owner& owner, UINT id) const {
        const Row* row = ById(id);
        return row && Run(owner, *row);
    }

    // Checks, enabled states and texts (in the current language) of the
    // items of one (sub)menu, as it opens.
    void UpdateStates(const Owner& owner, HMENU menu) const {
        const int count = ::GetMenuItemCount(menu);
        for (int i = 0; i < count; ++i) {
            const Row* row = RowAt(menu, i);
            if (!row) continue;
            SetItemText(menu, i, *row);
            if (!row->IsItem()) continue;
            if (row->Checked || row->IsChosen)
                ::CheckMenuItem(menu, static_cast<UINT>(i),
                                MF_BYPOSITION |
                                    (row->IsChecked(owner) ? MF_CHECKED : MF_UNCHECKED));
            if (row->Enabled)
                ::EnableMenuItem(menu, static_cast<UINT>(i),
                                 MF_BYPOSITION | (row->IsEnabled(owner) ? MF_ENABLED : MF_GRAYED));
        }
    }

    // The menu messages of a window that shows this table's menu: states as
    // a (sub)menu opens, the owner drawing of the items, and the selected
    // item's hint with the item's place on the screen (to an owner that has
    // OnMenuHint; empty and no place when none is selected or the menu
    // closed). Nothing for other messages, or for owner-drawn controls that
    // are not menu items.
    std::optional<LRESULT> HandleMenuMessage(Owner& owner, UINT msg, WPARAM wParam, LPARAM lParam,
                                             UINT dpi) const {
        switch (msg) {
        case WM_INITMENUPOPUP:
            UpdateStates(owner, reinterpret_cast<HMENU>(wParam));
            return 0;
        case WM_MEASUREITEM: {
            auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            if (item->CtlType != ODT_MENU || !Owns(item->itemData)) return std::nullopt;
            MeasureMenuItem(*item, LookOf(item->itemData), dpi);
            return TRUE;
        }
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item->CtlType != ODT_MENU || !Owns(item->itemData)) return std::nullopt;
            DrawMenuItem(*item, LookOf(item->itemData), dpi);
            return TRUE;
        }
        case WM_MENUSELECT:
            if constexpr (requires { owner.OnMenuHint(L"", nullptr); }) {
                const auto menu = reinterpret_cast<HMENU>(lParam);
                const bool item = menu && !(HIWORD(wParam) & MF_POPUP);
                const Row* row = item ? ById(LOWORD(wParam)) : nullptr;
                RECT place{};
                const bool placed = row && ItemPlace(menu, row->Id, place);
                owner.OnMenuHint(row ? row->Hint() : L"", placed ? &place : nullptr);
            }
            return std::nullopt; // the default handling goes on
        default:
            return std::nullopt;
        }
    }

  private:
    // The screen rectangle of the item with this id in an open menu.
    static bool ItemPlace(HMENU menu, UINT id, RECT& place) {
        for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
            if (::GetMenuItemID(menu, i) == id)
                return ::GetMenuItemRect(nullptr, menu, static_cast<UINT>(i), &place) != FALSE;
        return false;
    }
    static std::size_t Index(Language language) { return language == Language::English ? 1 : 0; }
    // The row an item of a menu was built from (submenus too).
    const Row* RowAt(HMENU menu, int position) const {
        MENUITEMINFOW info{sizeof(info)};
        info.fMask = MIIM_DATA;
        if (!::GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info)) return nullptr;
        return Owns(info.dwItemData) ? reinterpret_cast<const Row*>(info.dwItemData) : nullptr;
    }
    // The plain text stays readable for accessibility tools and tests.
    std::wstring PlainText(const Row& row) const {
        std::wstring text = row.Caption();
        if (!KeyText(row).empty()) text += L"\t" + KeyText(row);
        return text;
    }
    void SetItemText(HMENU menu, int position, const Row& row) const {
        if (row.Kind == CommandKind::Separator) return;
        std::wstring text = PlainText(row);
        MENUITEMINFOW info{sizeof(info)};
        info.fMask = MIIM_STRING;
        info.dwTypeData = text.data();
        ::SetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
    }
    bool Owns(ULONG_PTR data) const {
        const auto* row = reinterpret_cast<const Row*>(data);
        return row >= m_rows.data() && row < m_rows.data() + m_rows.size();
    }
    MenuItemLook LookOf(ULONG_PTR data) const {
        const Row& row = *reinterpret_cast<const Row*>(data);
        return {row.Caption(),
                KeyText(row).c_str(),
                row.Kind == CommandKind::Separator,
                row.IsRadio(),
                row.Icon,
                row.Glyph};
    }

    void Append(HMENU menu, const Row& row, HMENU sub) const {
        MENUITEMINFOW info{sizeof(info)};
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA | MIIM_STRING | (sub ? MIIM_SUBMENU : 0);
        info.fType = MFT_OWNERDRAW | (row.Kind == CommandKind::Separator ? MFT_SEPARATOR : 0) |
                     (row.IsRadio() ? MFT_RADIOCHECK : 0);
        info.wID = row.Id;
        info.hSubMenu = sub;
        info.dwItemData = reinterpret_cast<ULONG_PTR>(&row);
        std::wstring text = PlainText(row);
        info.dwTypeData = text.data();
        ::InsertMenuItemW(menu, static_cast<UINT>(::GetMenuItemCount(menu)), TRUE, &info);
    }

    std::span<const Row> m_rows;
    std::vector<std::wstring> m_keyTexts[2]; // by language, then by row
};
