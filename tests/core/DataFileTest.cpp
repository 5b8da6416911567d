#include <gtest/gtest.h>
#include "base/DataFile.h"
#include "support/LogCapture.h"
#include "support/ScopedFolder.h"
#include "support/TestSupport.h"

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

using testing_support::ReadWholeFile;
using testing_support::ScopedFolder;

namespace {
// Records the chunks written and fails the chunk given.
class RecordingDataFile : public CDataFile {
public:
    int failChunk = -1;
    std::vector<DWORD> chunks;

protected:
    bool WriteChunk(HANDLE file, const BYTE* data, DWORD size) override
    {
        chunks.push_back(size);
        if (static_cast<int>(chunks.size()) - 1 == failChunk) {
            CDataFile::WriteChunk(file, data, size / 2);  // part of it reached the disk
            return false;
        }
        return CDataFile::WriteChunk(file, data, size);
    }
};

class DataFiles : public ::testing::Test {
protected:
    void SetUp() override { file.SetPath(folder.Path().c_str(), kDataFileName); }
    void Plant(const std::string& content) { std::ofstream(file.Path().GetString(), std::ios::binary) << content; }
    std::string OnDisk() const { return ReadWholeFile(file.Path().GetString()); }
    bool TempLeftBehind() const { return testing_support::FileExists(std::string(file.Path()) + ".tmp"); }

    ScopedFolder folder;
    RecordingDataFile file;
};

std::string Pattern(size_t size)
{
    std::string s(size, '\0');
    for (size_t i = 0; i < size; ++i) s[i] = static_cast<char>(i * 7 + 3);
    return s;
}
}  // namespace

TEST_F(DataFiles, PathIsTheFolderABackslashAndTheName)
{
    EXPECT_EQ(folder.Path() + "\\BinaryReg.Orz", std::string(file.Path()));
    EXPECT_EQ(folder.Path(), std::string(file.Folder()));
}

TEST_F(DataFiles, ModeRecordRoundTrips)
{
    const ULONG record[2] = {2, 1};
    ASSERT_EQ(1, file.WriteDataFile(record, sizeof record));
    ULONG back[2] = {};
    EXPECT_EQ(sizeof back, file.ReadDataFile(back, sizeof back));
    EXPECT_EQ(2u, back[0]);
    EXPECT_EQ(1u, back[1]);
    EXPECT_FALSE(TempLeftBehind());
}

TEST_F(DataFiles, LargeBufferGoesOutInChunksOf2048)
{
    const std::string data = Pattern(5000);
    ASSERT_EQ(1, file.WriteDataFile(data.data(), static_cast<DWORD>(data.size())));
    EXPECT_EQ((std::vector<DWORD>{2048, 2048, 904}), file.chunks);
    EXPECT_EQ(data, OnDisk());
}

TEST_F(DataFiles, WriteFailingPartWayReportsFailureAndKeepsTheOldFile)
{
    const ULONG old[2] = {1, 0};
    ASSERT_EQ(1, file.WriteDataFile(old, sizeof old));
    file.failChunk = 1;
    file.chunks.clear();
    testing_support::LogCapture log(1);
    const std::string data = Pattern(5000);
    EXPECT_EQ(0, file.WriteDataFile(data.data(), static_cast<DWORD>(data.size())));
    EXPECT_EQ((std::vector<DWORD>{2048, 2048}), file.chunks);  // stops at the failed chunk
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(old), sizeof old), OnDisk());
    EXPECT_FALSE(TempLeftBehind());
    EXPECT_TRUE(log.Contains("WriteDataFile"));
}

TEST_F(DataFiles, WriteIntoAnUnusablePlaceFailsAndKeepsTheOldFile)
{
    Plant("old!");
    // Another user left a folder where the temporary file goes.
    ::CreateDirectoryA((std::string(file.Path()) + ".tmp").c_str(), nullptr);
    EXPECT_EQ(0, file.WriteDataFile("new!", 4));
    EXPECT_EQ("old!", OnDisk());
    ::RemoveDirectoryA((std::string(file.Path()) + ".tmp").c_str());

    CDataFile nowhere;
    nowhere.SetPath((folder.Path() + "\\missing\\deeper").c_str(), kDataFileName);
    EXPECT_EQ(0, nowhere.WriteDataFile("x", 1));
    CDataFile unset;
    EXPECT_EQ(0, unset.WriteDataFile("x", 1));
}

TEST_F(DataFiles, ReadOfAMissingFileGivesZero)
{
    BYTE buffer[8] = {};
    EXPECT_EQ(0u, file.ReadDataFile(buffer, sizeof buffer));
    CDataFile unset;
    EXPECT_EQ(0u, unset.ReadDataFile(buffer, sizeof buffer));
}

TEST_F(DataFiles, ShortFileGivesItsLength)
{
    Plant("abcd");
    BYTE buffer[8] = {};
    EXPECT_EQ(4u, file.ReadDataFile(buffer, sizeof buffer));
    EXPECT_EQ(0, std::memcmp(buffer, "abcd", 4));
}

TEST_F(DataFiles, OversizedFileIsReadOnlyUpToTheBuffer)
{
    Plant(Pattern(10000));
    testing_support::LogCapture log(1);
    BYTE buffer[8 + 4];
    std::memset(buffer, 0xEE, sizeof buffer);
    EXPECT_EQ(8u, file.ReadDataFile(buffer, 8));
    EXPECT_EQ(0, std::memcmp(buffer, Pattern(8).data(), 8));
    for (size_t i = 8; i < sizeof buffer; ++i) EXPECT_EQ(0xEE, buffer[i]) << i;
    EXPECT_TRUE(log.Contains("holds more than 8 bytes"));
}

TEST_F(DataFiles, ReadCountsEveryChunkOfAFullFile)
{
    const std::string data = Pattern(2048);
    Plant(data);
    std::vector<BYTE> buffer(4096);
    EXPECT_EQ(2048u, file.ReadDataFile(buffer.data(), static_cast<DWORD>(buffer.size())));
    EXPECT_EQ(0, std::memcmp(buffer.data(), data.data(), data.size()));
}
