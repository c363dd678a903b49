// Shell execution under the real shell: result codes, the German error text
// and which path reaches the shell.
#include "util/win/ShellExec.h"
#include "util/win/AppError.h"
#include "util/win/MVUtilWin.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

namespace {

struct ShownError {
    HWND Owner;
    std::wstring Message;
};
std::vector<ShownError> g_shown;

void RecordError(HWND owner, const std::wstring& message) {
    g_shown.push_back({owner, message});
}

bool FileExists(const std::wstring& name) {
    return ::GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring SystemCmd() {
    wchar_t folder[MAX_PATH] = {};
    ::GetSystemDirectoryW(folder, MAX_PATH);
    return std::wstring(folder) + L"\\cmd.exe";
}

class ShellExecTest : public ::testing::Test {
  protected:
    void SetUp() override {
        g_shown.clear();
        SetApplicationErrorSink(&RecordError);
        m_folder = GetTempDir() + L"dravik-shellexec-" + std::to_wstring(::GetCurrentProcessId());
        ::CreateDirectoryW(m_folder.c_str(), nullptr);
    }
    void TearDown() override {
        SetApplicationErrorSink(nullptr);
        for (const auto& file : m_created)
            ::DeleteFileW(file.c_str());
        ::RemoveDirectoryW(m_folder.c_str());
    }
    std::wstring InFolder(const std::wstring& name) {
        m_created.push_back(m_folder + L"\\" + name);
        return m_created.back();
    }

    std::wstring m_folder;
    std::vector<std::wstring> m_created;
};

TEST_F(ShellExecTest, MissingFileGivesFalseAndTheGermanText) {
    const std::wstring file = InFolder(L"fehlt.txt");
    int code = 0;
    EXPECT_FALSE(
        RunFileExt3(nullptr, L"", L"", file, nullptr, false, SW_SHOWNORMAL, code, true, L"", L""));
    EXPECT_EQ(code, SE_ERR_FNF);
    ASSERT_EQ(g_shown.size(), 1u);
    EXPECT_EQ(g_shown[0].Message, L"Die Datei wurde nicht gefunden.\r\n" + file);
}

TEST_F(ShellExecTest, NoBoxWithoutShowErrorFlag) {
    int code = 0;
    EXPECT_FALSE(RunFileExt3(nullptr, L"", L"", InFolder(L"fehlt.txt"), nullptr, false,
                             SW_SHOWNORMAL, code, false, L"x", L""));
    EXPECT_TRUE(g_shown.empty());
}

TEST_F(ShellExecTest, MessageTableReplacesTheText) {
    const ShellMessageTable table{{L"SE_ERR_2", L"Nicht da."}};
    const std::wstring file = InFolder(L"fehlt.txt");
    int code = 0;
    RunFileExt3(nullptr, L"", L"", file, &table, false, SW_SHOWNORMAL, code, true, L"", L"");
    ASSERT_EQ(g_shown.size(), 1u);
    EXPECT_EQ(g_shown[0].Message.substr(0, 9), L"Nicht da.");
}

// cmd.exe exists on the search path, but a bare name is joined to the folder
// first, and the folder has no cmd.exe.
TEST_F(ShellExecTest, BareNameIsJoinedToTheFolder) {
    int code = 0;
    EXPECT_FALSE(RunFileExt3(nullptr, L"", m_folder, L"cmd.exe", nullptr, false, SW_HIDE, code,
                             true, L"", L"/c exit 0"));
    ASSERT_EQ(g_shown.size(), 1u);
    EXPECT_EQ(g_shown[0].Message, L"Die Datei wurde nicht gefunden.\r\ncmd.exe");
}

// A name with "\" is a path of its own and must not be joined to the folder.
TEST_F(ShellExecTest, PathWithBackslashIsPassedUnchanged) {
    int code = 0;
    EXPECT_TRUE(RunFileExt3(nullptr, L"", m_folder, SystemCmd(), nullptr, true, SW_HIDE, code, true,
                            L"", L"/c exit 0"));
    EXPECT_GT(code, 32);
    EXPECT_TRUE(g_shown.empty());
}

TEST_F(ShellExecTest, WaitReturnsAfterTheProcessHasEnded) {
    const std::wstring marker = InFolder(L"fertig.txt");
    int code = 0;
    ASSERT_TRUE(RunFileExt3(nullptr, L"open", m_folder, SystemCmd(), nullptr, true, SW_HIDE, code,
                            true, L"", L"/c echo x> fertig.txt"));
    EXPECT_TRUE(FileExists(marker));
}

TEST_F(ShellExecTest, RunCmdReportsThroughTheApplicationWindow) {
    const std::wstring file = InFolder(L"fehlt.txt");
    EXPECT_FALSE(RunCmd(file, L"Hinweis"));
    ASSERT_EQ(g_shown.size(), 1u);
    EXPECT_EQ(g_shown[0].Owner, ApplicationWindow());
    EXPECT_EQ(g_shown[0].Message, L"Die Datei wurde nicht gefunden.\r\n" + file + L"\r\nHinweis");
}

TEST_F(ShellExecTest, ShellExecuteAndWaitGivesTheShellCode) {
    EXPECT_GT(ShellExecuteAndWait(L"", SystemCmd(), L"/c exit 3", L"", SW_HIDE), 32);
    EXPECT_EQ(ShellExecuteAndWait(L"", m_folder + L"\\fehlt.exe", L"", L"", SW_HIDE), SE_ERR_FNF);
}

} // namespace
