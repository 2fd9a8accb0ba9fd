#include "tests/storage/StorageTestSupport.h"

#include "core/Files.h"
#include "core/Streams.h"
#include "core/Win32.h"
#include "tests/support/Process.h"

namespace storage_test {

void TempFolderTest::SetUp()
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + L"tavilo-Şule-ğüİıçö";
    testing_support::RemoveFolderTree(folder_);
    ASSERT_TRUE(core::ForceDirectories(folder_));
}

void TempFolderTest::TearDown()
{
    testing_support::RemoveFolderTree(folder_);
}

std::vector<std::wstring> Strings(const storage::TWStrings& list)
{
    std::vector<std::wstring> strings;
    for (int i = 0; i < list.Count(); ++i)
        strings.push_back(list.StringAt(i));
    return strings;
}

std::string ReadBytes(const std::wstring& path)
{
    auto bytes = core::ReadWholeFile(path);
    return std::string(bytes.begin(), bytes.end());
}

void WriteBytes(const std::wstring& path, std::string_view bytes)
{
    core::TFileStream file(path, core::TFileMode::Create);
    file.WriteBuffer(bytes.data(), bytes.size());
}

std::string Utf16(std::wstring_view text, bool withMark)
{
    std::string bytes = withMark ? "\xFF\xFE" : "";
    for (wchar_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

} // namespace storage_test
