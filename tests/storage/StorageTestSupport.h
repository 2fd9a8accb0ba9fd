#pragma once
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "storage/WStrings.h"

namespace storage_test {

// Each test gets a fresh folder named with Turkish letters under the temporary folder:
// paths must reach the file system as UTF-16 under code page 1252 as well as 1254.
class TempFolderTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    std::wstring PathOf(const std::wstring& name) const { return folder_ + L"\\" + name; }

    std::wstring folder_;
};

// The strings of a list, in order.
std::vector<std::wstring> Strings(const storage::TWStrings& list);

std::string ReadBytes(const std::wstring& path);
void WriteBytes(const std::wstring& path, std::string_view bytes);
// The UTF-16 little-endian bytes of a text, after the byte-order mark unless told not to.
std::string Utf16(std::wstring_view text, bool withMark = true);

} // namespace storage_test
