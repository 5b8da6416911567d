#include <gtest/gtest.h>
#include "base/SystemHelpers.h"
#include "support/ScopedFolder.h"
#include "contract/StationContract.h"
#include "support/TestSupport.h"

#include <string>

TEST(SystemLookups, FileExistsFindsFilesAndFoldersOnly)
{
    testing_support::ScopedFolder folder;
    const std::string file = folder.WithSlash() + "present.dat";
    testing_support::ScopedFile present(file, "x");
    EXPECT_EQ(1, FileExists(file.c_str()));
    EXPECT_EQ(1, FileExists(folder.Path().c_str()));
    EXPECT_EQ(0, FileExists((folder.WithSlash() + "absent.dat").c_str()));
    EXPECT_EQ(0, FileExists(""));
}

TEST(SystemLookups, FindProcessIdFindsThisProgramByItsNameInAnyCase)
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name = std::string(path).substr(std::string(path).rfind('\\') + 1);
    // Several copies of a test program may run at once; any of them is in this session.
    DWORD found = FindProcessId(name.c_str());
    ASSERT_NE(0u, found);
    DWORD session = 0, ownSession = 1;
    ::ProcessIdToSessionId(found, &session);
    ::ProcessIdToSessionId(::GetCurrentProcessId(), &ownSession);
    EXPECT_EQ(ownSession, session);

    ::CharUpperA(name.data());
    EXPECT_NE(0u, FindProcessId(name.c_str()));
    EXPECT_EQ(0u, FindProcessId("no-such-program-4471.exe"));
    EXPECT_EQ(0u, FindProcessId(""));
}

TEST(SystemLookups, FindProcessIdFindsAnotherProgramOfTheSessionByItsName)
{
    testing_support::ChildProcess other("\"" + testing_support::BinFolder() + "bare_dialog.exe\" hidden");
    ASSERT_TRUE(other.Started());
    // The program's window shows that it runs under that name.
    ASSERT_TRUE(testing_support::WaitForWindow("#32770", "Bare Dialog", other.Id(), 20000));
    EXPECT_EQ(other.Id(), FindProcessId("BARE_DIALOG.EXE"));
    other.Kill();
    EXPECT_EQ(0u, FindProcessId("bare_dialog.exe"));
}

TEST(SystemLookups, ServiceStatusIsTheStateOrANamedFailure)
{
    EXPECT_EQ(QXWL_ERROR_WIFIDIRECT_SVC_OPEN_SVC, GetServiceStatus("NoSuchService4471"));
    // Wine's own RPC service runs in every prefix.
    int state = GetServiceStatus("RpcSs");
    EXPECT_GE(state, static_cast<int>(SERVICE_STOPPED));
    EXPECT_LE(state, static_cast<int>(SERVICE_PAUSED));
}

TEST(SystemTime, TheThirtyTwoBitTickCountIsCarriedPastEachWrap)
{
    EXPECT_EQ(0x100000005ULL, CarryTickCount(5, 0xFFFFFFF0ULL));
    EXPECT_EQ(0x100000007ULL, CarryTickCount(7, 0x100000005ULL));
    EXPECT_EQ(0x200000000ULL, CarryTickCount(0, 0x1FFFFFFFFULL));
}
