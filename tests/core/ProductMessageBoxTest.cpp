#include <gtest/gtest.h>
#include "skin/KelvoPageProfileDlg.h"
#include "core/ProductMessageBox.h"
#include "skin/KelvoPageUIDlg.h"
#include "support/TestSupport.h"

#include <memory>

using testing_support::MessageBoxCapture;

TEST(ProductMessageBox, CaptionedWithTheProductNameAndOwnedByNobodyWithoutMainWindow)
{
    MessageBoxCapture boxes(IDOK);
    EXPECT_EQ(IDOK, ShowProductMessageBox("Radio is off"));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ("KPL4471", boxes.Boxes()[0].caption);
    EXPECT_STREQ("Radio is off", boxes.Boxes()[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION), boxes.Boxes()[0].type);
    EXPECT_EQ(nullptr, boxes.Boxes()[0].hOwner);
}

TEST(ProductMessageBox, OwnedByTheMainWindowWhileItsWindowLives)
{
    CKelvoPageUIDlg mainWindow(nullptr);
    G_bCreateDefaultProfile = 0;  // no default profile at start-up
    ASSERT_TRUE(mainWindow.Create());
    MessageBoxCapture boxes(IDCANCEL);
    EXPECT_EQ(IDCANCEL, ShowProductMessageBoxEx("Continue?", 1));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(mainWindow.GetSafeHwnd(), boxes.Boxes()[0].hOwner);
    EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL | MB_ICONEXCLAMATION), boxes.Boxes()[0].type);

    boxes.QueueAnswer(IDOK);
    EXPECT_EQ(IDOK, ShowProductMessageBoxEx("Continue?", 1));
    EXPECT_EQ(IDCANCEL, ShowProductMessageBoxEx("Continue?", 1));
    EXPECT_EQ(IDCANCEL, ShowProductMessageBoxEx("Just so", 0));
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION), boxes.Boxes().back().type);
}

TEST(ProductMessageBox, NothingShownAndNoAgreementOnceTheMainWindowIsGone)
{
    CKelvoPageUIDlg mainWindow(nullptr);
    G_bCreateDefaultProfile = 0;  // no default profile at start-up
    ASSERT_TRUE(mainWindow.Create());
    mainWindow.DestroyWindow();
    MessageBoxCapture boxes(IDOK);
    EXPECT_EQ(0, ShowProductMessageBox("lost"));
    EXPECT_EQ(IDCANCEL, ShowProductMessageBoxEx("lost", 1));
    EXPECT_EQ(0, ShowProductMessageBoxEx("lost", 0));
    EXPECT_EQ(0u, boxes.Count());
}

TEST(ProductMessageBox, ABoxThatCannotBeShownIsNoAgreement)
{
    MessageBoxCapture boxes(0);  // the platform answers 0 when it cannot show the box
    EXPECT_EQ(0, ShowProductMessageBox("no desktop"));
    EXPECT_EQ(IDCANCEL, ShowProductMessageBoxEx("no desktop", 1));
}
