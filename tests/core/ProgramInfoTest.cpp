#include "util/ProgramInfo.h"

#include <gtest/gtest.h>

TEST(ProgramInfo, DerivesTheProgramsNamesAndKeys) {
    const TProgramInfo info;
    EXPECT_EQ(info.DisplayName(), L"Morvane Dravik");
    EXPECT_EQ(info.RegistryKey(), L"Software\\Morvane\\Dravik");
    EXPECT_EQ(info.FamilyKey(), L"Software\\Morvane\\Common\\DVK");
    EXPECT_EQ(info.SubDirDocSettings(), L"Morvane\\Dravik");
}
