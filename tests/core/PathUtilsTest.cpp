#include "util/PathUtils.h"

#include <gtest/gtest.h>

#include <set>

TEST(ConcatPath, JoinsWithExactlyOneSeparator) {
    EXPECT_EQ(ConcatPath(L"C:\\a", L"\\b"), L"C:\\a\\b");
    EXPECT_EQ(ConcatPath(L"C:\\a\\", L"b"), L"C:\\a\\b");
    EXPECT_EQ(ConcatPath(L"C:\\a", L".\\b"), L"C:\\a\\b");
    EXPECT_EQ(ConcatPath(L"C:\\a", L"b"), L"C:\\a\\b");
    EXPECT_EQ(ConcatPath(L"C:\\a\\", L"\\b"), L"C:\\a\\b");
    // Only one leading separator is dropped, and ".." is not "." + separator.
    EXPECT_EQ(ConcatPath(L"C:\\a", L"\\\\b"), L"C:\\a\\\\b");
    EXPECT_EQ(ConcatPath(L"C:\\a", L"..\\b"), L"C:\\a\\..\\b");
}

TEST(ConcatPath, EmptyPartsConcatenatePlainly) {
    EXPECT_EQ(ConcatPath(L"", L"\\b"), L"\\b");
    EXPECT_EQ(ConcatPath(L"C:\\a", L""), L"C:\\a");
    EXPECT_EQ(ConcatPath(L"", L""), L"");
    EXPECT_EQ(ConcatPath(L"C:", L"a", L"b.txt"), L"C:\\a\\b.txt");
    EXPECT_EQ(ConcatPathEx(L"http://x", L"/y", L'/'), L"http://x/y");
}

TEST(FileExtension, FromLastDotAfterLastFolderOrDrive) {
    EXPECT_EQ(ExtractFileExtMV(L"C:\\a.b\\file.txt"), L".txt");
    EXPECT_EQ(ExtractFileExtMV(L"C:\\a.b\\file"), L"");
    EXPECT_EQ(ExtractFileExtMV(L"x.tar.gz"), L".gz");
    EXPECT_EQ(DeleteFileExt(L"C:\\a.b\\file.txt"), L"C:\\a.b\\file");
    EXPECT_EQ(DeleteFileExt(L"C:\\a.b\\file"), L"C:\\a.b\\file");
    EXPECT_EQ(DeleteFileExt(L"C:.ini"), L"C:");
}

TEST(ChangeFileExtMV, ReplacesOrAddsTheExtension) {
    EXPECT_EQ(ChangeFileExtMV(L"C:\\p\\Dravik.exe", L".ini"), L"C:\\p\\Dravik.ini");
    EXPECT_EQ(ChangeFileExtMV(L"C:\\p\\Dravik.exe", L"ini"), L"C:\\p\\Dravik.ini");
    EXPECT_EQ(ChangeFileExtMV(L"C:\\p.d\\Dravik", L"ini"), L"C:\\p.d\\Dravik.ini");
    EXPECT_EQ(ChangeFileExtMV(L"C:\\p\\Dravik.exe", L""), L"C:\\p\\Dravik.");
    EXPECT_EQ(ChangeFileExtMV(L"C:", L"ini"), L"C:\\.ini");
    EXPECT_EQ(ChangeFileExtMV(L"", L"ini"), L"");
}

TEST(SameDir, IgnoresCaseAndTrailingSeparator) {
    EXPECT_TRUE(SameDir(L"C:\\Programme\\Dravik", L"c:\\programme\\dravik\\"));
    EXPECT_TRUE(SameDir(L"C:\\\u00C4", L"c:\\\u00E4"));
    EXPECT_FALSE(SameDir(L"C:\\a", L"C:\\b"));
    EXPECT_TRUE(SameDir(L"", L""));
}

TEST(UniqueFileName, CountsUpFromStartUntilFree) {
    const std::set<std::wstring> existing = {L"C:\\t\\shot.png", L"C:\\t\\shot_1.png",
                                             L"C:\\t\\shot_2.png"};
    auto exists = [&](const std::wstring& n) { return existing.count(n) > 0; };
    EXPECT_EQ(UniqueFileName(L"C:\\t\\shot.png", L"_", 1, false, exists), L"C:\\t\\shot_3.png");
    EXPECT_EQ(UniqueFileName(L"C:\\t\\new.png", L"_", 1, false, exists), L"C:\\t\\new.png");
    EXPECT_EQ(UniqueFileName(L"C:\\t\\new.png", L"-", 5, true, exists), L"C:\\t\\new-5.png");
    EXPECT_EQ(UniqueFileName(L"C:\\t.d\\noext", L" ", 0, true, exists), L"C:\\t.d\\noext 0");
}

TEST(UniqueFileName, EndsEvenWhenEverythingExists) {
    int calls = 0;
    auto always = [&](const std::wstring&) { return ++calls > 0; };
    const std::wstring name = UniqueFileName(L"a.txt", L"_", 2147483645, false, always);
    EXPECT_EQ(name, L"a_2147483647.txt");
}
