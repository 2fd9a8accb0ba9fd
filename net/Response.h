#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "core/CodePage.h"
#include "core/Object.h"
#include "core/Streams.h"

namespace net {

// The answer to one request: the status, the Set-Cookie value, the header block and the body.
class TResponse : public core::TObject {
public:
    static constexpr int FieldCount = 12;
    // The field that receives the response's Set-Cookie value.
    static constexpr int CookieField = 4;

    TResponse();

    // Stores the text when 0 <= index <= 11; other indexes are ignored.
    void SetResponseField(int index, const core::AnsiString& text);
    // The text for 0 <= index <= 11, the empty string otherwise.
    core::AnsiString ResponseField(int index) const;

    void SetStatusCode(uint32_t code) { statusCode_ = code; }
    // The HTTP status of the answer (200, 404, ...); 0 when no answer arrived or the
    // exchange was given up (aborted, or past its deadline).
    uint32_t StatusCode() const { return statusCode_; }

    void SetRawHeaders(const core::AnsiString& text) { rawHeaders_ = text; }
    // The complete response header block, lines ended by CR LF.
    const core::AnsiString& RawHeaders() const { return rawHeaders_; }

    core::TMemoryStream& BodyStream() { return *bodyStream_; }
    // The whole body, whatever the stream's position.
    core::AnsiString BodyText() const;

private:
    std::array<core::AnsiString, FieldCount> responseFields_;
    std::unique_ptr<core::TMemoryStream> bodyStream_;
    core::AnsiString rawHeaders_;
    uint32_t statusCode_ = 0;
};

} // namespace net
