// The menu, the keys, the states and the hints all come from the same rows.
#include "util/win/CommandTable.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Owner {
    int Unit = 1;
    bool Locked = false;
    int Runs = 0;
    int Steps = 0;
    std::wstring Hint = L"(none)";

    void ChooseUnit(int unit) { Unit = unit; }
    bool UnitIs(int unit) const { return Unit == unit; }
    void Hide() { Unit = 3; }
    void Count() { ++Runs; }
    bool Unlocked() const { return !Locked; }
    void Step() { ++Steps; }
    void OnMenuHint(const wchar_t* hint, const RECT*) { Hint = hint; }
};

constexpr UINT idA = 1, idB = 2, idSub = 3, idHidden = 4, idLocked = 5, idTyped = 6, idArrow = 7;

const CommandRow<Owner> Rows[] = {
    {.Id = idA,
     .Name = L"menA",
     .Caption = {L"Eins", L"One"},
     .Key = Key('A'),
     .Choose = &Owner::ChooseUnit,
     .IsChosen = &Owner::UnitIs,
     .Value = 1,
     .Hint = {L"Wählt eins", L"Chooses one"}},
    {.Kind = CommandKind::Submenu, .Id = idSub, .Name = L"menSub", .Caption = {L"Mehr", L"More"}},
    {.Id = idB,
     .Name = L"menB",
     .Caption = {L"Zwei", L"Two"},
     .Key = Key(VK_SUBTRACT),
     .Choose = &Owner::ChooseUnit,
     .IsChosen = &Owner::UnitIs,
     .Value = 2},
    {.Id = idHidden,
     .Name = L"menHidden",
     .Caption = {L"Versteckt", L"Hidden"},
     .Run = &Owner::Hide,
     .Hidden = true},
    {.Kind = CommandKind::EndSubmenu},
    {.Kind = CommandKind::Separator},
    {.Id = idLocked,
     .Name = L"menLocked",
     .Caption = {L"Gesperrt", L"Locked"},
     .Key = Key('C', KeyMods::Ctrl),
     .Run = &Owner::Count,
     .Enabled = &Owner::Unlocked},
    {.Id = idTyped, .Name = L"KeyPlus", .Key = Typed(L'+'), .Run = &Owner::Step, .Hidden = true},
    {.Id = idArrow,
     .Name = L"KeyLeft",
     .Key = KeyWithShiftCtrl(VK_LEFT),
     .Run = &Owner::Step,
     .Hidden = true},
};
const CommandTable<Owner> Table{Rows};

std::wstring ItemText(HMENU menu, int pos) {
    wchar_t text[64] = {};
    ::GetMenuStringW(menu, static_cast<UINT>(pos), text, 64, MF_BYPOSITION);
    return text;
}

} // namespace

TEST(CommandTable, TheRowsBuildTheMenuInOrderWithKeyTextsSubmenusAndWithoutHiddenItems) {
    const UniqueHMenu menu = Table.BuildMenu();
    ASSERT_EQ(::GetMenuItemCount(menu.Get()), 4);
    EXPECT_EQ(ItemText(menu.Get(), 0), L"Eins\tA");
    EXPECT_EQ(ItemText(menu.Get(), 1), L"Mehr");
    EXPECT_EQ(::GetMenuState(menu.Get(), 2, MF_BYPOSITION) & MF_SEPARATOR, UINT(MF_SEPARATOR));
    EXPECT_EQ(ItemText(menu.Get(), 3), L"Gesperrt\tStrg+C");
    HMENU sub = ::GetSubMenu(menu.Get(), 1);
    ASSERT_NE(sub, nullptr);
    ASSERT_EQ(::GetMenuItemCount(sub), 1); // the hidden item is not shown
    EXPECT_EQ(ItemText(sub, 0), L"Zwei\t-") << "the keypad's minus shows as what it types";
    MENUITEMINFOW info{sizeof(info)};
    info.fMask = MIIM_FTYPE;
    ::GetMenuItemInfoW(sub, 0, TRUE, &info);
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
    EXPECT_TRUE(info.fType & MFT_RADIOCHECK);

    // In another language a menu shows its texts as it opens, keys included.
    SetUiLanguage(Language::English);
    Owner owner;
    Table.UpdateStates(owner, menu.Get());
    Table.UpdateStates(owner, sub);
    EXPECT_EQ(ItemText(menu.Get(), 0), L"One\tA");
    EXPECT_EQ(ItemText(menu.Get(), 1), L"More");
    EXPECT_EQ(ItemText(menu.Get(), 3), L"Locked\tCtrl+C");
    EXPECT_EQ(ItemText(sub, 0), L"Two\t-");
    info.fMask = MIIM_FTYPE;
    ::GetMenuItemInfoW(sub, 0, TRUE, &info);
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW) << "still drawn by the table";
    Table.HandleMenuMessage(owner, WM_MENUSELECT, MAKEWPARAM(idA, 0),
                            reinterpret_cast<LPARAM>(menu.Get()), 96);
    EXPECT_EQ(owner.Hint, L"Chooses one");
    SetUiLanguage(Language::German);
}

TEST(CommandTable, IdsKeysCharactersAndNamesRunTheSameHandlersAndStatesFollowTheOwner) {
    Owner owner;
    const UniqueHMenu menu = Table.BuildMenu();
    HMENU sub = ::GetSubMenu(menu.Get(), 1);
    EXPECT_TRUE(Table.Execute(owner, Table.ByName(L"menB")->Id));
    EXPECT_EQ(owner.Unit, 2);
    // The states are set as a menu opens, and asking a row changes nothing.
    EXPECT_FALSE(::GetMenuState(sub, idB, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(Table.ById(idB)->IsChecked(owner));
    EXPECT_EQ(
        Table.HandleMenuMessage(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sub), 0, 96), 0);
    Table.UpdateStates(owner, menu.Get());
    EXPECT_FALSE(::GetMenuState(menu.Get(), idA, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(::GetMenuState(sub, idB, MF_BYCOMMAND) & MF_CHECKED);

    EXPECT_TRUE(Table.Run(owner, *Table.ByKey('A', KeyMods::None)));
    EXPECT_EQ(owner.Unit, 1);
    EXPECT_EQ(Table.ByKey('A', KeyMods::Shift), nullptr) << "a menu key is the key alone";
    EXPECT_TRUE(Table.Execute(owner, idHidden)); // hidden, yet it runs
    EXPECT_EQ(owner.Unit, 3);
    EXPECT_EQ(Table.ByKey('Z', KeyMods::None), nullptr);
    EXPECT_EQ(Table.ByName(L"menSub"), nullptr); // a submenu is no command
    EXPECT_FALSE(Table.Execute(owner, 999));

    // A typed character, and an arrow with or without Shift and Ctrl.
    EXPECT_EQ(Table.ByChar(L'+')->Id, idTyped);
    EXPECT_EQ(Table.ByKey(VK_OEM_PLUS, KeyMods::None), nullptr);
    for (KeyMods mods :
         {KeyMods::None, KeyMods::Shift, KeyMods::Ctrl, KeyMods::Shift | KeyMods::Ctrl})
        EXPECT_EQ(Table.ByKey(VK_LEFT, mods)->Id, idArrow);
    EXPECT_EQ(Table.ByKey(VK_LEFT, KeyMods::Alt), nullptr);

    owner.Locked = true;
    Table.UpdateStates(owner, menu.Get());
    EXPECT_TRUE(::GetMenuState(menu.Get(), idLocked, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(Table.Run(owner, *Table.ByKey('C', KeyMods::Ctrl)));
    EXPECT_EQ(owner.Runs, 0);
}

TEST(CommandTable, AnswersTheMenuMessagesOfItsOwnItemsOnly) {
    Owner owner;
    const UniqueHMenu menu = Table.BuildMenu();
    const auto menuParam = reinterpret_cast<LPARAM>(menu.Get());
    Table.HandleMenuMessage(owner, WM_MENUSELECT, MAKEWPARAM(idA, 0), menuParam, 96);
    EXPECT_EQ(owner.Hint, L"Wählt eins");
    Table.HandleMenuMessage(owner, WM_MENUSELECT, MAKEWPARAM(idB, 0), menuParam, 96);
    EXPECT_EQ(owner.Hint, L"");
    Table.HandleMenuMessage(owner, WM_MENUSELECT, MAKEWPARAM(idA, 0), menuParam, 96);
    Table.HandleMenuMessage(owner, WM_MENUSELECT, MAKEWPARAM(0xFFFF, 0xFFFF), 0, 96);
    EXPECT_EQ(owner.Hint, L"") << "the closed menu leaves no hint";

    MEASUREITEMSTRUCT item{};
    item.CtlType = ODT_MENU;
    item.itemData = reinterpret_cast<ULONG_PTR>(&Rows[0]);
    EXPECT_EQ(
        Table.HandleMenuMessage(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&item), 96),
        TRUE);
    const UINT height96 = item.itemHeight;
    EXPECT_GT(item.itemWidth, 0u);
    Table.HandleMenuMessage(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&item), 192);
    EXPECT_GE(item.itemHeight, 2 * height96 - 1) << "items grow with the DPI";

    // Another table's item, or a control's owner drawing, is not this table's.
    const CommandRow<Owner> foreign{.Id = 99, .Caption = LocalText::Neutral(L"Fremd")};
    item.itemData = reinterpret_cast<ULONG_PTR>(&foreign);
    EXPECT_FALSE(
        Table.HandleMenuMessage(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&item), 96));
    item.CtlType = ODT_BUTTON;
    EXPECT_FALSE(
        Table.HandleMenuMessage(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&item), 96));
}
