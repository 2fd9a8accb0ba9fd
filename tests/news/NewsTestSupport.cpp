#include "tests/news/NewsTestSupport.h"

#include <gtest/gtest.h>

#include "core/Format.h"
#include "core/Win32.h"
#include "tests/support/Process.h"

// After <windows.h>.
#include <objbase.h>

namespace news_testing {

namespace {

// The program initialises COM on its one thread before it reads a feed.
class TComEnvironment : public ::testing::Environment {
public:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr))); }
    void TearDown() override { CoUninitialize(); }
};

[[maybe_unused]] ::testing::Environment* const com = ::testing::AddGlobalTestEnvironment(new TComEnvironment);

} // namespace

std::wstring DataFile(const wchar_t* name)
{
    std::wstring folder = testing_support::EnvironmentVariable(L"TAVILO_NEWS_DATA");
    EXPECT_FALSE(folder.empty()) << "TAVILO_NEWS_DATA is not set";
    return folder + L"\\" + name;
}

TScratchFolder::TScratchFolder(const std::wstring& name)
{
    static int folders = 0;
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, temp);
    path_ = core::Format(L"%stavilo-%s-%u-%d", temp, name, GetCurrentProcessId(), folders++);
    // Wine reuses process ids, and a run that was ended early leaves its folder behind.
    testing_support::RemoveFolderTree(path_);
    EXPECT_TRUE(CreateDirectoryW(path_.c_str(), nullptr)) << core::ToUtf8(path_);
}

TScratchFolder::~TScratchFolder()
{
    testing_support::RemoveFolderTree(path_);
}

std::wstring TScratchFolder::Write(const std::wstring& name, std::string_view bytes) const
{
    std::wstring path = path_ + L"\\" + name;
    core::TFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    EXPECT_TRUE(file) << core::ToUtf8(path);
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    EXPECT_EQ(written, bytes.size());
    return path;
}

std::string Utf8(std::wstring_view text)
{
    return core::ToUtf8(text);
}

std::wstring XmlEscaped(std::wstring_view text)
{
    std::wstring result;
    for (wchar_t c : text) {
        switch (c) {
        case L'&':
            result += L"&amp;";
            break;
        case L'<':
            result += L"&lt;";
            break;
        case L'>':
            result += L"&gt;";
            break;
        default:
            result += c;
            break;
        }
    }
    return result;
}

std::string RssFeed(const std::vector<std::wstring>& titles)
{
    std::wstring body =
        L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<rss version=\"2.0\"><channel><title>Test</title>\n";
    int index = 0;
    for (const std::wstring& title : titles) {
        body += core::Format(L"<item><title>%s</title><link>https://www.example-haber.com.tr/haber/%d</link>"
                             L"<description>Haberin özeti %d.</description></item>\n",
                             XmlEscaped(title), index, index);
        ++index;
    }
    body += L"</channel></rss>\n";
    return Utf8(body);
}

TRecordingList::TRecordingList(core::TComponent* owner) : news::TContentEx(owner, ReferrerDomain)
{
    Font().SetName(L"Trebuchet MS");
    Font().SetSize(9);
    Canvas().SetAntialias(false);
    SetWidth(ListWidth);
    OpenLink = [this](const std::wstring& address) { opened.push_back(address); };
}

} // namespace news_testing
