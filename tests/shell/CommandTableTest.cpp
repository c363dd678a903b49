// The menu, the keys and the states all come from the same rows.
#include "util/win/CommandTable.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Owner {
    int Unit = 1;
    bool Locked = false;
    int Runs = 0;
};

constexpr UINT idA = 1, idB = 2, idSub = 3, idHidden = 4, idLocked = 5;

const CommandRow<Owner> Rows[] = {
    {.Id = idA,
     .Name = L"menA",
     .Caption = L"Eins",
     .KeyText = L"A",
     .Key = 'A',
     .Handler = [](Owner& o) { o.Unit = 1; },
     .Checked = [](const Owner& o) { return o.Unit == 1; },
     .Radio = true},
    {.Kind = CommandKind::Submenu, .Id = idSub, .Name = L"menSub", .Caption = L"Mehr"},
    {.Id = idB,
     .Name = L"menB",
     .Caption = L"Zwei",
     .Handler = [](Owner& o) { o.Unit = 2; },
     .Checked = [](const Owner& o) { return o.Unit == 2; },
     .Radio = true},
    {.Id = idHidden,
     .Name = L"menHidden",
     .Caption = L"Versteckt",
     .Handler = [](Owner& o) { o.Unit = 3; },
     .Hidden = true},
    {.Kind = CommandKind::EndSubmenu},
    {.Kind = CommandKind::Separator},
    {.Id = idLocked,
     .Name = L"menLocked",
     .Caption = L"Gesperrt",
     .Key = VK_ESCAPE,
     .Handler = [](Owner& o) { ++o.Runs; },
     .Enabled = [](const Owner& o) { return !o.Locked; }},
};
const CommandTable<Owner> Table{Rows};

std::wstring ItemText(HMENU menu, int pos) {
    wchar_t text[64] = {};
    ::GetMenuStringW(menu, static_cast<UINT>(pos), text, 64, MF_BYPOSITION);
    return text;
}

} // namespace

TEST(CommandTable, TheRowsBuildTheMenuInOrderWithSubmenusAndWithoutHiddenItems) {
    const UniqueHMenu menu = Table.BuildMenu();
    ASSERT_EQ(::GetMenuItemCount(menu.Get()), 4);
    EXPECT_EQ(ItemText(menu.Get(), 0), L"Eins\tA");
    EXPECT_EQ(ItemText(menu.Get(), 1), L"Mehr");
    EXPECT_EQ(::GetMenuState(menu.Get(), 2, MF_BYPOSITION) & MF_SEPARATOR, UINT(MF_SEPARATOR));
    EXPECT_EQ(::GetMenuItemID(menu.Get(), 3), idLocked);
    HMENU sub = ::GetSubMenu(menu.Get(), 1);
    ASSERT_NE(sub, nullptr);
    ASSERT_EQ(::GetMenuItemCount(sub), 1); // the hidden item is not shown
    EXPECT_EQ(::GetMenuItemID(sub, 0), idB);
    MENUITEMINFOW info{sizeof(info)};
    info.fMask = MIIM_FTYPE;
    ::GetMenuItemInfoW(sub, 0, TRUE, &info);
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
    EXPECT_TRUE(info.fType & MFT_RADIOCHECK);
}

TEST(CommandTable, IdsKeysAndNamesRunTheSameHandlersAndStatesFollowTheOwner) {
    Owner owner;
    const UniqueHMenu menu = Table.BuildMenu();
    HMENU sub = ::GetSubMenu(menu.Get(), 1);
    EXPECT_TRUE(Table.Execute(owner, Table.ByName(L"menB")->Id));
    EXPECT_EQ(owner.Unit, 2);
    Table.UpdateStates(owner, menu.Get());
    Table.UpdateStates(owner, sub);
    EXPECT_FALSE(::GetMenuState(menu.Get(), idA, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(::GetMenuState(sub, idB, MF_BYCOMMAND) & MF_CHECKED);

    EXPECT_TRUE(Table.Execute(owner, Table.ByKey('A')->Id));
    EXPECT_EQ(owner.Unit, 1);
    EXPECT_TRUE(Table.Execute(owner, idHidden)); // hidden, yet it runs
    EXPECT_EQ(owner.Unit, 3);
    EXPECT_EQ(Table.ByKey('Z'), nullptr);
    EXPECT_EQ(Table.ByName(L"menSub"), nullptr); // a submenu is no command
    EXPECT_FALSE(Table.Execute(owner, 999));

    owner.Locked = true;
    Table.UpdateStates(owner, menu.Get());
    EXPECT_TRUE(::GetMenuState(menu.Get(), idLocked, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(Table.Execute(owner, Table.ByKey(VK_ESCAPE)->Id));
    EXPECT_EQ(owner.Runs, 0);
}
