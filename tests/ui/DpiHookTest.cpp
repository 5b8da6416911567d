#include <gtest/gtest.h>
#include "ui/DpiHook.h"

#include <atomic>
#include <cstring>
#include <thread>

namespace {
constexpr int kCallsPerThread = 20000;

const BYTE* GetDeviceCapsCode()
{
    return reinterpret_cast<const BYTE*>(::GetProcAddress(::GetModuleHandleA("gdi32.dll"), "GetDeviceCaps"));
}

struct ScreenDc {
    HDC hdc = ::GetDC(nullptr);
    ~ScreenDc() { ::ReleaseDC(nullptr, hdc); }
};

// Each test installs the patch itself and removes it again.
class DpiHook : public ::testing::Test {
protected:
    void SetUp() override { memcpy(m_original, GetDeviceCapsCode(), sizeof m_original); }
    void TearDown() override { RemoveDpiHook(); }
    BYTE m_original[16] = {};
};
}  // namespace

TEST_F(DpiHook, ReplacementAnswers96ForLogicalPixelsAndTheRealValueOtherwise)
{
    ScreenDc screen;
    EXPECT_EQ(kDpiLogicalPixels, DpiGetDeviceCaps(screen.hdc, LOGPIXELSX));
    EXPECT_EQ(kDpiLogicalPixels, DpiGetDeviceCaps(screen.hdc, LOGPIXELSY));
    EXPECT_EQ(::GetDeviceCaps(screen.hdc, HORZRES), DpiGetDeviceCaps(screen.hdc, HORZRES));
    EXPECT_EQ(::GetSystemMetrics(SM_CXSCREEN), DpiGetDeviceCaps(screen.hdc, HORZRES));
}

TEST_F(DpiHook, InstalledPatchRoutesEveryCallOfTheProgramThroughTheReplacement)
{
    ScreenDc screen;
    const int width = ::GetDeviceCaps(screen.hdc, HORZRES);
    InstallDpiHook();
    ASSERT_TRUE(IsDpiHookInstalled());
    EXPECT_NE(0, memcmp(m_original, GetDeviceCapsCode(), 5));
    const LONG before = DpiHookCallCount();
    EXPECT_EQ(kDpiLogicalPixels, ::GetDeviceCaps(screen.hdc, LOGPIXELSY));
    EXPECT_EQ(width, ::GetDeviceCaps(screen.hdc, HORZRES));
    EXPECT_EQ(::GetSystemMetrics(SM_CYSCREEN), ::GetDeviceCaps(screen.hdc, VERTRES));
    EXPECT_EQ(before + 3, DpiHookCallCount());

    // Installed once: a second call changes nothing.
    BYTE patched[16];
    memcpy(patched, GetDeviceCapsCode(), sizeof patched);
    InstallDpiHook();
    EXPECT_EQ(0, memcmp(patched, GetDeviceCapsCode(), sizeof patched));
}

TEST_F(DpiHook, RemovalRestoresTheOriginalInstructions)
{
    InstallDpiHook();
    ASSERT_TRUE(IsDpiHookInstalled());
    RemoveDpiHook();
    EXPECT_FALSE(IsDpiHookInstalled());
    EXPECT_EQ(0, memcmp(m_original, GetDeviceCapsCode(), sizeof m_original));
    ScreenDc screen;
    const LONG before = DpiHookCallCount();
    ::GetDeviceCaps(screen.hdc, HORZRES);
    EXPECT_EQ(before, DpiHookCallCount());
}

TEST_F(DpiHook, TwoThreadsDrawingAtOnceAlwaysGetThePatchedAnswers)
{
    InstallDpiHook();
    ASSERT_TRUE(IsDpiHookInstalled());
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const LONG before = DpiHookCallCount();
    std::atomic<int> wrong{0};
    auto draw = [&] {
        ScreenDc screen;
        for (int i = 0; i < kCallsPerThread; ++i) {
            if (::GetDeviceCaps(screen.hdc, (i & 1) ? LOGPIXELSX : LOGPIXELSY) != kDpiLogicalPixels) ++wrong;
            if (::GetDeviceCaps(screen.hdc, HORZRES) != width) ++wrong;
        }
    };
    std::thread first(draw), second(draw);
    first.join();
    second.join();
    EXPECT_EQ(0, wrong.load());
    // No call slipped past the replacement.
    EXPECT_EQ(before + 2 * 2 * kCallsPerThread, DpiHookCallCount());
}
