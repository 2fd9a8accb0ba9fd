#pragma once
#include <string>
#include <string_view>

namespace app {

// The cache of the last good feed ("news.xml" in the data folder), from which the
// headline list is loaded. It holds the downloaded bytes exactly as they came, and is
// replaced only by a body the feed reader accepts, in one step, so neither a bad answer
// nor a crash while writing can take the user's headlines away.
class TFeedCache {
public:
    explicit TFeedCache(std::wstring path) : path_(std::move(path)) {}

    const std::wstring& Path() const { return path_; }
    // Replaces the cache with body when body is a feed with at least one item; true when
    // it did. Anything else, a failure to write included, leaves the cache as it was.
    bool Store(std::string_view body) const;

private:
    std::wstring path_;
};

// True when the file is an RSS or Atom document with at least one item.
bool IsFeedWithItems(const std::wstring& path);

} // namespace app
