#pragma once
// Commands as data: one row per command of a window (id, caption and key
// text, key, handler, check and enabled state, icon, the name tests use).
// The same rows build the pop-up menu, dispatch WM_COMMAND and keys, set the
// menu's states when it opens and feed the owner drawing of its items.
#include "util/win/Handles.h"
#include "util/win/OwnerDrawMenu.h"

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

enum class CommandKind : std::uint8_t { Item, Separator, Submenu, EndSubmenu };

template <class Owner> struct CommandRow {
    CommandKind Kind = CommandKind::Item;
    UINT Id = 0;
    const wchar_t* Name = L""; // the item's name; the test channel runs commands by it
    const wchar_t* Caption = L"";
    const wchar_t* KeyText = L""; // shown right of the caption
    UINT Key = 0;                 // virtual key without modifiers, while the window has the focus
    void (*Handler)(Owner&) = nullptr;
    bool (*Checked)(const Owner&) = nullptr;
    bool Radio = false;
    bool (*Enabled)(const Owner&) = nullptr;
    int Icon = -1;             // picture in the menu's image list
    bool Hidden = false;       // runs by id, key or name, never shown in the menu
    const wchar_t* Hint = L""; // what the item does, told while it is selected
};

template <class Owner> class CommandTable {
  public:
    using Row = CommandRow<Owner>;
    explicit constexpr CommandTable(std::span<const Row> rows) : m_rows(rows) {}

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
            if (row.Kind == CommandKind::Item && row.Id == id) return &row;
        return nullptr;
    }
    const Row* ByName(std::wstring_view name) const {
        for (const Row& row : m_rows)
            if (row.Kind == CommandKind::Item && name == row.Name) return &row;
        return nullptr;
    }
    const Row* ByKey(UINT key) const {
        if (key == 0) return nullptr;
        for (const Row& row : m_rows)
            if (row.Kind == CommandKind::Item && row.Key == key) return &row;
        return nullptr;
    }

    // Runs the command with this id, if it has one and is enabled.
    bool Execute(Owner& owner, UINT id) const {
        const Row* row = ById(id);
        if (!row || !row->Handler || (row->Enabled && !row->Enabled(owner))) return false;
        row->Handler(owner);
        return true;
    }

    // Checks and enabled states of the items of one (sub)menu, as it opens.
    void UpdateStates(const Owner& owner, HMENU menu) const {
        const int count = ::GetMenuItemCount(menu);
        for (int i = 0; i < count; ++i) {
            const Row* row = ById(::GetMenuItemID(menu, i));
            if (!row) continue;
            if (row->Checked)
                ::CheckMenuItem(menu, static_cast<UINT>(i),
                                MF_BYPOSITION | (row->Checked(owner) ? MF_CHECKED : MF_UNCHECKED));
            if (row->Enabled)
                ::EnableMenuItem(menu, static_cast<UINT>(i),
                                 MF_BYPOSITION | (row->Enabled(owner) ? MF_ENABLED : MF_GRAYED));
        }
    }

    // The owner drawing of the items this table put into a menu.
    static void Measure(MEASUREITEMSTRUCT& item, UINT dpi) {
        MeasureMenuItem(item, LookOf(item.itemData), dpi);
    }
    static void Draw(const DRAWITEMSTRUCT& item, UINT dpi) {
        DrawMenuItem(item, LookOf(item.itemData), dpi);
    }

  private:
    static MenuItemLook LookOf(ULONG_PTR data) {
        const Row& row = *reinterpret_cast<const Row*>(data);
        return {row.Caption, row.KeyText, row.Kind == CommandKind::Separator, row.Radio, row.Icon};
    }

    static void Append(HMENU menu, const Row& row, HMENU sub) {
        MENUITEMINFOW info{sizeof(info)};
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA | MIIM_STRING | (sub ? MIIM_SUBMENU : 0);
        info.fType = MFT_OWNERDRAW | (row.Kind == CommandKind::Separator ? MFT_SEPARATOR : 0) |
                     (row.Radio ? MFT_RADIOCHECK : 0);
        info.wID = row.Id;
        info.hSubMenu = sub;
        info.dwItemData = reinterpret_cast<ULONG_PTR>(&row);
        // The plain text stays readable for accessibility tools and tests.
        std::wstring text = row.Caption;
        if (*row.KeyText) text += std::wstring(L"\t") + row.KeyText;
        info.dwTypeData = text.data();
        ::InsertMenuItemW(menu, static_cast<UINT>(::GetMenuItemCount(menu)), TRUE, &info);
    }

    std::span<const Row> m_rows;
};
