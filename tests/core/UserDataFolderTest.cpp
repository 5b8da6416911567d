// The data folder under the common documents folder, shared by every user of the machine.
#include <gtest/gtest.h>
#include "base/DataFile.h"

#include <shlobj.h>
#include <string>

TEST(UserDataFolder, CreatedUnderCommonDocumentsAndFoundAgain)
{
    char documents[MAX_PATH] = "";
    ASSERT_TRUE(::SHGetSpecialFolderPathA(nullptr, documents, CSIDL_COMMON_DOCUMENTS, FALSE));
    const std::string folder = std::string(documents) + "\\Kelvo4471_F7284002-4AEB-4653-B388-54344DC694ED";

    CDataFile file;
    int first = file.CreateUserDataFolder(kDataFileName);
    EXPECT_TRUE(first == ERROR_SUCCESS || first == ERROR_ALREADY_EXISTS) << first;
    EXPECT_EQ(folder, std::string(file.Folder()));
    EXPECT_EQ(folder + "\\BinaryReg.Orz", std::string(file.Path()));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(folder.c_str()));

    CDataFile second;
    EXPECT_EQ(ERROR_ALREADY_EXISTS, second.CreateUserDataFolder(kDataFile2Name));
    EXPECT_EQ(folder + "\\BinaryReg2.Orz", std::string(second.Path()));
}
