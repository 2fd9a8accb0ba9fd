#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "news/ContentEx.h"

namespace news_testing {

// The checked-in feeds of tests/news/data.
std::wstring DataFile(const wchar_t* name);

// A folder of its own for one test, removed with everything in it afterwards.
class TScratchFolder {
public:
    // The name may hold letters outside the system code page.
    explicit TScratchFolder(const std::wstring& name = L"news");
    ~TScratchFolder();
    TScratchFolder(const TScratchFolder&) = delete;
    TScratchFolder& operator=(const TScratchFolder&) = delete;

    const std::wstring& Path() const { return path_; }
    // Writes the bytes into a file of the folder and returns its path.
    std::wstring Write(const std::wstring& name, std::string_view bytes) const;

private:
    std::wstring path_;
};

// Wide text as UTF-8 bytes, for feeds built in a test.
std::string Utf8(std::wstring_view text);

// An RSS 2.0 document in UTF-8 with one item per title, each with a link and a short
// description.
std::string RssFeed(const std::vector<std::wstring>& titles);
// Escapes the XML specials of a text.
std::wstring XmlEscaped(std::wstring_view text);

// A headline list set up as the main window sets it up (font face and size, no
// antialiasing), with a recording link opener. Width as the main window gives it.
class TRecordingList : public news::TContentEx {
public:
    static constexpr int ListWidth = 390;
    static constexpr const wchar_t* ReferrerDomain = L"tavilo.example";

    explicit TRecordingList(core::TComponent* owner = nullptr);

    // Addresses the list asked to open, in order.
    std::vector<std::wstring> opened;

    // Paints the list as a render pass would.
    void Paint() { DrawSelf(); }
};

} // namespace news_testing
