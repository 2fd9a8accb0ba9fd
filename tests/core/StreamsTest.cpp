#include <gtest/gtest.h>

#include <cstring>

#include "core/Exceptions.h"
#include "core/Files.h"
#include "core/Streams.h"
#include "tests/support/Process.h"

namespace {

class FileStreamTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"tavilo-streams-Şğüİı";
        testing_support::RemoveFolderTree(folder_);
        ASSERT_TRUE(core::ForceDirectories(folder_ + L"\\deeper\\still"));
    }
    void TearDown() override { testing_support::RemoveFolderTree(folder_); }

    std::wstring folder_;
};

} // namespace

// A path with letters outside code page 1252 must work whatever the locale.
TEST_F(FileStreamTest, WritesAndReadsBackUnderAWidePath)
{
    std::wstring path = folder_ + L"\\deeper\\still\\çöğ.bin";
    {
        core::TFileStream file(path, core::TFileMode::Create);
        file.WriteBuffer("\xFF\xFEhello", 7);
    }
    EXPECT_TRUE(core::FileExists(path));
    auto bytes = core::ReadWholeFile(path);
    ASSERT_EQ(bytes.size(), 7u);
    EXPECT_EQ(std::memcmp(bytes.data(), "\xFF\xFEhello", 7), 0);

    core::TFileStream file(path, core::TFileMode::OpenReadWrite);
    file.SetSize(3);
    EXPECT_EQ(file.Size(), 3);
    file.SetPosition(1);
    char rest[8] = {};
    EXPECT_EQ(file.Read(rest, sizeof(rest)), 2u);
    EXPECT_THROW(file.ReadBuffer(rest, 1), core::EReadError);
}

TEST_F(FileStreamTest, OpenAndCreateErrorsNameTheFile)
{
    std::wstring missing = folder_ + L"\\missing.ini";
    try {
        core::TFileStream file(missing, core::TFileMode::OpenRead);
        FAIL() << "opened a missing file";
    } catch (const core::EFOpenError& error) {
        EXPECT_EQ(error.Message(),
                  L"Cannot open file \"" + missing + L"\". " + core::SysErrorMessage(ERROR_FILE_NOT_FOUND));
    }
    std::wstring noFolder = folder_ + L"\\no\\such\\folder\\x.ini";
    EXPECT_THROW(core::TFileStream(noFolder, core::TFileMode::Create), core::EFCreateError);
}

TEST_F(FileStreamTest, ReplacesWholeFilesOrLeavesThemAsTheyWere)
{
    enum class Setup { Nothing, OldFile, TemporaryNameTaken, TargetIsFolder };
    struct Case {
        const wchar_t* name;
        Setup setup;
        bool succeeds;
    } cases[] = {
        {L"\\new-ş.ini", Setup::Nothing, true},
        {L"\\old-ğ.ini", Setup::OldFile, true},
        {L"\\no\\such\\folder.ini", Setup::Nothing, false},
        {L"\\blocked.ini", Setup::TemporaryNameTaken, false},
        {L"\\folder.ini", Setup::TargetIsFolder, false},
    };
    for (const auto& c : cases) {
        std::wstring path = folder_ + c.name;
        SCOPED_TRACE(core::ToUtf8(path));
        if (c.setup != Setup::Nothing && c.setup != Setup::TargetIsFolder) {
            core::TFileStream old(path, core::TFileMode::Create);
            old.WriteBuffer("old", 3);
        }
        if (c.setup == Setup::TemporaryNameTaken) {
            ASSERT_TRUE(CreateDirectoryW((path + L".tmp").c_str(), nullptr));
        }
        if (c.setup == Setup::TargetIsFolder) {
            ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
        }
        try {
            core::ReplaceWholeFile(path, "new!", 4);
            EXPECT_TRUE(c.succeeds);
            auto bytes = core::ReadWholeFile(path);
            EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "new!");
            EXPECT_FALSE(core::FileExists(path + L".tmp"));
        } catch (const core::EFCreateError& error) {
            EXPECT_FALSE(c.succeeds);
            EXPECT_EQ(error.Message().find(L"Cannot create file \"" + path + L"\". "), 0u);
            if (c.setup == Setup::OldFile || c.setup == Setup::TemporaryNameTaken) {
                auto bytes = core::ReadWholeFile(path);
                EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "old");
            }
            EXPECT_EQ(c.setup == Setup::TargetIsFolder, core::DirectoryExists(path));
            EXPECT_EQ(c.setup == Setup::TemporaryNameTaken, core::DirectoryExists(path + L".tmp"));
            EXPECT_FALSE(core::FileExists(path + L".tmp"));
        }
    }
}

TEST(MemoryStream, GrowsSeeksAndReadsPartially)
{
    core::TMemoryStream stream;
    stream.WriteBuffer("abcdef", 6);
    EXPECT_EQ(stream.Size(), 6);
    EXPECT_EQ(stream.Seek(-2, core::TSeekOrigin::End), 4);
    char buffer[4] = {};
    EXPECT_EQ(stream.Read(buffer, 4), 2u);
    EXPECT_EQ(std::string(buffer, 2), "ef");
    stream.SetPosition(8);
    stream.WriteBuffer("x", 1);
    EXPECT_EQ(stream.Size(), 9);
    EXPECT_EQ(stream.Memory()[6], 0);

    core::TMemoryStream copy;
    EXPECT_EQ(copy.CopyFrom(stream, 0), 9);
    EXPECT_EQ(std::memcmp(copy.Memory(), stream.Memory(), 9), 0);
}

TEST(ResourceStream, MissingResourceRaisesNotFound)
{
    try {
        core::TResourceStream stream(GetModuleHandleW(nullptr), 4999, L"PNG");
        FAIL() << "found a resource that does not exist";
    } catch (const core::EResNotFound& error) {
        EXPECT_EQ(error.Message(), L"Resource 4999 not found");
    }
}
