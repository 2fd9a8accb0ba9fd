#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "core/CodePage.h"
#include "core/Handles.h"
#include "core/Object.h"
#include "net/Exchange.h"
#include "net/Response.h"

#include <wininet.h>

namespace net {

// One HTTP exchange over WinINet, described by its fields and performed once; its
// answer lands in Response.
class TRequest : public core::TObject {
public:
    static constexpr int FieldCount = 12;
    // What each field holds; 5 and 11 are never sent.
    enum TFieldIndex {
        HostField = 0,
        PathField = 1,     // object path with query
        VerbField = 2,     // "GET" at first
        CookieField = 3,
        ContentTypeField = 4,
        AcceptField = 6,
        ConnectionField = 7,
        VersionField = 8,  // "HTTP/1.1" at first
        RefererField = 9,
        UserAgentField = 10,
    };

    TRequest();
    ~TRequest() override;

    TResponse& Response() { return *response_; }

    // Stores the text when 0 <= index <= 11; other indexes are ignored.
    void SetField(int index, const core::AnsiString& text);
    // The text for 0 <= index <= 11, the empty string otherwise.
    core::AnsiString Field(int index) const;

    // Appends format, its "%s" replaced by value, to the header block; an empty value adds nothing.
    void AddHeader(const core::AnsiString& value, const core::AnsiString& format);
    const core::AnsiString& HeaderBlock() const { return headerBlock_; }

    // Sends the request through the session and reads the whole answer into Response:
    // 0 on success, -1 otherwise (the body is then left empty). Raises nothing of its own.
    int32_t Perform(HINTERNET internet);

    // Makes a running or later Perform return -1 at once. Safe from any thread; it is
    // the one call the owner may make while another thread performs the request.
    void Abort();

    // Optional request body sent after the headers.
    core::AnsiString Body;
    // Handed to every WinINet call that takes a context value.
    uint32_t Context = 0;
    // HTTPS on port 443 instead of HTTP on port 80.
    bool Secure = false;
    bool FollowRedirects = true;
    // Milliseconds the whole exchange may take before it gives up with -1.
    DWORD Deadline = ExchangeDeadline;

private:
    void BuildHeaderBlock();

    std::unique_ptr<TResponse> response_;
    std::array<core::AnsiString, FieldCount> fields_;
    core::AnsiString headerBlock_;
    core::TKernelHandle abortEvent_;
};

} // namespace net
