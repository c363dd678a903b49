#include "util/SmallControlRules.h"

#include <gtest/gtest.h>

TEST(SmallControlRules, LinkLabelOpensItsCommandOrElseItsCaption) {
    struct Row {
        const wchar_t* command;
        const wchar_t* caption;
        const wchar_t* opened;
    };
    const Row rows[] = {
        {L"", L"https://www.morvane.de/", L"https://www.morvane.de/"},
        {L"https://www.morvane.de/dvk", L"Homepage", L"https://www.morvane.de/dvk"},
        {L"  ", L" https://a.example/ ", L"https://a.example/"},
        {L"", L"info@morvane.de", L"mailto:info@morvane.de"},
        {L"mailto:info@morvane.de?subject=Dravik", L"E-Mail",
         L"mailto:info@morvane.de?subject=Dravik"},
        // Not bare addresses: a path, a URL with a user, two "@", text with blanks.
        {L"C:\\a@b\\x.txt", L"", L"C:\\a@b\\x.txt"},
        {L"https://user@host/", L"", L"https://user@host/"},
        {L"", L"a@b@c", L"a@b@c"},
        {L"", L"Mail an info@morvane.de", L"Mail an info@morvane.de"},
        {L"", L"@host", L"@host"},
        {L"", L"", L""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(LinkLabelTarget(row.command, row.caption), row.opened)
            << "command \"" << testing::PrintToString(std::wstring(row.command)) << "\"";
}

TEST(SmallControlRules, ThemedLineBevelsDrawOnePixelAlongTheirEdge) {
    struct Row {
        TBevelShape shape;
        Size size;
        std::optional<Rect> line;
    };
    const Row rows[] = {
        {bsTopLine, {50, 4}, Rect{0, 0, 50, 1}},
        {bsBottomLine, {50, 4}, Rect{0, 3, 50, 4}},
        {bsLeftLine, {4, 30}, Rect{0, 0, 1, 30}},
        {bsRightLine, {4, 30}, Rect{3, 0, 4, 30}},
        {bsBottomLine, {1, 1}, Rect{0, 0, 1, 1}},
        // An empty bevel has no last row or column to draw on.
        {bsBottomLine, {50, 0}, std::nullopt},
        {bsRightLine, {0, 30}, std::nullopt},
        {bsBox, {50, 4}, std::nullopt},
        {bsFrame, {50, 4}, std::nullopt},
        {bsSpacer, {50, 4}, std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << "shape " << row.shape << " size " << row.size.Width
                                          << "x" << row.size.Height);
        EXPECT_EQ(ThemedBevelLine(row.shape, row.size), row.line);
    }
}
