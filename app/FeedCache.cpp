#include "app/FeedCache.h"

#include "core/Streams.h"
#include "core/Win32.h"
#include "core/XmlDocument.h"

namespace app {

namespace {

bool SelectsAny(const core::TXmlDocument& document, const std::wstring& path)
{
    std::optional<core::TXmlNodeList> nodes = document.SelectNodes(path);
    return nodes && nodes->Length() > 0;
}

} // namespace

// The same document paths the headline list reads, Atom first.
bool IsFeedWithItems(const std::wstring& path)
{
    try {
        core::TXmlDocument document;
        return document.Load(path) && (SelectsAny(document, L"/feed/entry") || SelectsAny(document, L"/rss/channel/item"));
    } catch (const std::exception&) {
        return false;
    }
}

// The body is checked where the list will read it, from a file, so the document's own
// encoding declaration is honoured exactly as it will be at load time.
bool TFeedCache::Store(std::string_view body) const
{
    if (body.empty())
        return false;
    const std::wstring candidate = path_ + L".new";
    try {
        core::ReplaceWholeFile(candidate, body.data(), body.size());
    } catch (const std::exception&) {
        return false;
    }
    bool stored = IsFeedWithItems(candidate) &&
                  MoveFileExW(candidate.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!stored)
        DeleteFileW(candidate.c_str());
    return stored;
}

} // namespace app
