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

TEST(NormaliseAbsolutePath, PlainFormOfAbsolutePaths) {
    const std::pair<const wchar_t*, const wchar_t*> accepted[] = {
        {L"C:\\", L"C:\\"},
        {L"C:\\a\\", L"C:\\a"},
        {L"c:/a//b/./c/../d", L"c:\\a\\b\\d"},
        {L"C:\\a\\..", L"C:\\"},
        {L"\\\\srv\\share", L"\\\\srv\\share"},
        {L"\\\\srv\\share\\", L"\\\\srv\\share"},
        {L"//srv/share/a/..", L"\\\\srv\\share"},
        {L"C:\\cons\\lpt0\\com10\\Äpfel", L"C:\\cons\\lpt0\\com10\\Äpfel"},
    };
    for (const auto& [path, expected] : accepted) {
        const TNormalisedPath n = NormaliseAbsolutePath(path, 240);
        EXPECT_EQ(n.Path, expected) << path;
        EXPECT_EQ(n.Problem, L"") << path;
    }
    const wchar_t* const refused[] = {
        L"",          L"C:",          L"a\\b",         L"\\a",           L"\\\\srv",
        L"\\\\srv\\", L"\\\\\\share", L"\\\\.\\C:\\a", L"C:\\a\\..\\..", L"\\\\srv\\share\\..",
        L"C:\\a:b",   L"C:\\a\\nul",  L"C:\\LPT1.txt", L"C:\\a \\b",     L"\\\\s?v\\share",
        L"C:\\\x1F",
    };
    for (const wchar_t* path : refused) {
        const TNormalisedPath n = NormaliseAbsolutePath(path, 240);
        EXPECT_EQ(n.Path, L"") << path;
        EXPECT_NE(n.Problem, L"") << path;
    }
    EXPECT_EQ(NormaliseAbsolutePath(L"C:\\" + std::wstring(237, L'x'), 240).Path.size(), 240u);
    EXPECT_EQ(NormaliseAbsolutePath(L"C:\\" + std::wstring(238, L'x'), 240).Problem,
              L"ist zu lang");
}

TEST(CreateFolderWithParents, CreatesMissingLevelsFromTheTopAtAnyDepth) {
    std::vector<std::wstring> created;
    std::set<std::wstring> existing = {L"C:\\", L"C:\\a"};
    const auto exists = [&](const std::wstring& p) { return existing.count(p) > 0; };
    const auto create = [&](const std::wstring& p) {
        created.push_back(p);
        existing.insert(p);
        return true;
    };
    EXPECT_TRUE(CreateFolderWithParents(L"C:\\a\\b\\c\\", exists, create));
    EXPECT_EQ(created, (std::vector<std::wstring>{L"C:\\a\\b", L"C:\\a\\b\\c"}));
    created.clear();
    EXPECT_TRUE(CreateFolderWithParents(L"\\\\srv\\share\\x", exists, create));
    EXPECT_EQ(created, std::vector<std::wstring>{L"\\\\srv\\share\\x"}); // the share is a root

    // Far deeper than any stack would take one call per level.
    std::wstring deep = L"D:";
    for (int i = 0; i < 100000; ++i)
        deep += L"\\a";
    std::size_t levels = 0;
    std::size_t lastLength = 0;
    bool inOrder = true;
    EXPECT_FALSE(CreateFolderWithParents(
        deep, [](const std::wstring&) { return false; },
        [&](const std::wstring& p) {
            inOrder = inOrder && p.size() == lastLength + (lastLength ? 2 : 4);
            lastLength = p.size();
            return ++levels < 50000; // the system refuses somewhere down there
        }));
    EXPECT_EQ(levels, 50000u) << "stops at the first level that cannot be made";
    EXPECT_TRUE(inOrder);
}
