#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "net/Exchange.h"
#include "net/InternetHandle.h"
#include "net/Request.h"
#include "tests/net/NetTestSupport.h"

using net::TRequest;
using net::TResponse;
using namespace net_testing;

TEST(Request, StartsAsAPlainGetAndIgnoresFieldsOutOfRange)
{
    TRequest request;
    EXPECT_EQ(request.Field(TRequest::VerbField), "GET");
    EXPECT_EQ(request.Field(TRequest::VersionField), "HTTP/1.1");
    EXPECT_TRUE(request.FollowRedirects);
    EXPECT_FALSE(request.Secure);
    request.SetField(12, "x");
    request.SetField(-1, "x");
    EXPECT_EQ(request.Field(12), "");
    EXPECT_EQ(request.Field(-1), "");
    for (int index = 0; index < TRequest::FieldCount; ++index) {
        if (index != TRequest::VerbField && index != TRequest::VersionField) {
            EXPECT_EQ(request.Field(index), "") << index;
        }
    }
}

TEST(Request, AddHeaderPutsTheValueInAndSkipsEmptyValues)
{
    TRequest request;
    request.AddHeader("", "Cookie: %s\r\n");
    EXPECT_EQ(request.HeaderBlock(), "");
    request.AddHeader("a=1", "Cookie: %s\r\n");
    request.AddHeader("x/y", "Accept: %s\r\n");
    EXPECT_EQ(request.HeaderBlock(), "Cookie: a=1\r\nAccept: x/y\r\n");
}

TEST(Response, FieldsOutOfRangeAreIgnoredAndBodyTextIgnoresThePosition)
{
    TResponse response;
    response.SetResponseField(12, "x");
    EXPECT_EQ(response.ResponseField(12), "");
    response.SetResponseField(11, "last");
    EXPECT_EQ(response.ResponseField(11), "last");
    response.BodyStream().WriteBuffer("hello", 5);
    response.BodyStream().SetPosition(2);
    EXPECT_EQ(response.BodyText(), "hello");
}

namespace {

// Headers WinINet writes on its own, whatever the request's fields say.
bool WinInetsOwnHeader(const std::string& line)
{
    return line.rfind("Host: ", 0) == 0 || line.rfind("Content-Length: ", 0) == 0;
}

struct TSentCase {
    const char* name;
    std::string path;
    std::vector<std::pair<int, std::string>> fields; // besides host and path
    std::string body;
    std::string requestLine;
    std::vector<std::string> headers; // besides WinINet's own
};

} // namespace

// The echo server answers with the raw request it received.
TEST(Request, ArrivesAtTheServerAsDescribed)
{
    const TSentCase cases[] = {
        {"only host and path", "/echo/plain", {}, "", "GET /echo/plain HTTP/1.1", {}},
        {"query kept unchanged", "/echo/x.xml?rand=12345&a=%41", {}, "", "GET /echo/x.xml?rand=12345&a=%41 HTTP/1.1",
         {}},
        {"every header field, in the fixed order",
         "/echo/all",
         {{TRequest::ContentTypeField, "text/plain"},
          {TRequest::UserAgentField, "Tavilo/2.0"},
          {TRequest::ConnectionField, "close"},
          {TRequest::RefererField, "http://example.org/"},
          {TRequest::CookieField, "id=42"},
          {TRequest::AcceptField, "text/xml"}},
         "",
         "GET /echo/all HTTP/1.1",
         {"Accept: text/xml", "Cookie: id=42", "Referer: http://example.org/", "User-Agent: Tavilo/2.0",
          "Connection: close", "Content-Type: text/plain"}},
        {"some header fields",
         "/echo/some",
         {{TRequest::UserAgentField, "UA"}, {TRequest::CookieField, "c=d"}},
         "",
         "GET /echo/some HTTP/1.1",
         {"Cookie: c=d", "User-Agent: UA"}},
        {"fields 5 and 11 are never sent",
         "/echo/unused",
         {{5, "X-Five: 5"}, {11, "X-Eleven: 11"}},
         "",
         "GET /echo/unused HTTP/1.1",
         {}},
        {"verb, version and body",
         "/echo/form",
         {{TRequest::VerbField, "POST"},
          {TRequest::VersionField, "HTTP/1.0"},
          {TRequest::ContentTypeField, "application/x-www-form-urlencoded"}},
         "a=1&b=2",
         "POST /echo/form HTTP/1.0",
         {"Content-Type: application/x-www-form-urlencoded"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TRequest request;
        for (const auto& [index, value] : c.fields)
            request.SetField(index, value);
        request.Body = c.body;
        ASSERT_EQ(Get(request, c.path), 0);
        TRawRequest sent = ParseRequest(request.Response().BodyText());
        EXPECT_EQ(sent.requestLine, c.requestLine);
        std::vector<std::string> ours;
        for (const auto& line : sent.headers) {
            if (!WinInetsOwnHeader(line))
                ours.push_back(line);
        }
        EXPECT_EQ(ours, c.headers);
        EXPECT_EQ(sent.body, c.body);
        std::string block;
        for (const auto& line : c.headers)
            block += line + "\r\n";
        EXPECT_EQ(request.HeaderBlock(), block);
    }
}

TEST(Request, HeaderBlockBuiltBeforehandIsSentFirst)
{
    TRequest request;
    request.AddHeader("yes", "X-Earlier: %s\r\n");
    request.SetField(TRequest::AcceptField, "*/*");
    ASSERT_EQ(Get(request, "/echo/earlier"), 0);
    TRawRequest sent = ParseRequest(request.Response().BodyText());
    EXPECT_EQ(sent.headers, (std::vector<std::string>{"Host: 127.0.0.20", "X-Earlier: yes", "Accept: */*"}));
    EXPECT_EQ(request.HeaderBlock(), "X-Earlier: yes\r\nAccept: */*\r\n");
}

TEST(Request, AnswersArriveWholeWhateverTheirFraming)
{
    struct Case {
        const char* name;
        std::string path;
        std::string verb;
        bool followRedirects;
        std::string body;
    } cases[] = {
        {"20,000 bytes with a length", "/bytes/20000", "GET", true, Pattern(20000)},
        {"20,000 bytes ended by the connection", "/bytes/20000?close", "GET", true, Pattern(20000)},
        {"20,000 bytes in chunks", "/bytes/20000?chunked", "GET", true, Pattern(20000)},
        {"2 MB with a length", "/bytes/2000000", "GET", true, Pattern(2000000)},
        {"2 MB in chunks", "/bytes/2000000?chunked", "GET", true, Pattern(2000000)},
        {"empty body", "/bytes/0", "GET", true, ""},
        {"empty body ended by the connection", "/bytes/0?close", "GET", true, ""},
        {"404 with its page", "/status/404", "GET", true,
         "<html><body><h1>404</h1><p>No such page.</p></body></html>"},
        {"500 with its page", "/status/500", "GET", true,
         "<html><body><h1>500</h1><p>No such page.</p></body></html>"},
        {"HEAD announces a length but carries no body", "/bytes/20000", "HEAD", true, ""},
        {"redirect followed", "/redirect", "GET", true, "GET /echo/redirected HTTP/1.1\r\nHost: 127.0.0.20\r\n\r\n"},
        {"redirect not followed", "/redirect", "GET", false, "moved"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TRequest request;
        request.SetField(TRequest::VerbField, c.verb);
        request.FollowRedirects = c.followRedirects;
        EXPECT_EQ(Get(request, c.path), 0);
        std::string body = request.Response().BodyText();
        EXPECT_EQ(body.size(), c.body.size());
        EXPECT_TRUE(body == c.body);
    }
}

TEST(Request, FailuresGiveMinusOneAndAnEmptyBody)
{
    struct Case {
        const char* name;
        const char* host;
        std::string path;
        bool session;
    } cases[] = {
        {"no internet handle", Server, "/bytes/10", false},
        {"host name that does not resolve", UnresolvableHost, "/bytes/10", true},
        {"connection refused", NobodyListens, "/bytes/10", true},
        {"connection reset in the body", Server, "/reset-body", true},
        {"connection closed before the announced length", Server, "/short-body", true},
        {"chunked body reset inside a chunk", Server, "/chunked-reset", true},
        {"announced length over the limit", Server, "/bytes/" + std::to_string(net::BodyLimit + 1), true},
        {"endless body", Server, "/endless", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TRequest request;
        Describe(request, c.host, c.path);
        ULONGLONG start = Now();
        EXPECT_EQ(request.Perform(c.session ? net::InternetHandle : nullptr), -1);
        EXPECT_LT(Now() - start, net::RequestTimeOut);
        EXPECT_TRUE(request.Response().BodyText().empty()) << request.Response().BodyText().size() << " bytes";
    }
}

// A chunked body cut short by a clean close reaches us through WinINet like a whole one
// (only the decoded bytes arrive, never the framing), so the outcome is not asserted:
// the exchange must end at once, and whatever it keeps is what the server sent.
TEST(Request, ChunkedBodyCutShortEndsAtOnce)
{
    struct Case {
        const char* name;
        std::string path;
        std::string sent;
    } cases[] = {
        {"closed before the final chunk", "/chunked-cut", Pattern(1000)},
        {"closed inside a chunk", "/chunked-short", Pattern(1000) + Pattern(1000)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TRequest request;
        ULONGLONG start = Now();
        int32_t result = Get(request, c.path);
        EXPECT_LT(Now() - start, 5000u);
        std::string body = request.Response().BodyText();
        EXPECT_TRUE(result == 0 ? body == c.sent : body.empty()) << result << ", " << body.size() << " bytes";
    }
}

TEST(Request, StatusCodeOfTheAnswerIsKept)
{
    struct Case {
        std::string path;
        uint32_t status;
    } cases[] = {{"/bytes/10", 200}, {"/status/404", 404}, {"/status/500", 500}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        TRequest request;
        ASSERT_EQ(Get(request, c.path), 0);
        EXPECT_EQ(request.Response().StatusCode(), c.status);
    }
    TRequest refused;
    Describe(refused, NobodyListens, "/bytes/10");
    ASSERT_EQ(refused.Perform(net::InternetHandle), -1);
    EXPECT_EQ(refused.Response().StatusCode(), 0u);
}

// A server that sends one byte now and then keeps every single call short; only the
// deadline of the whole exchange ends it. The deadline is shortened here so that the
// test stays quick.
TEST(Request, DeadlineEndsAnExchangeThatNeverFinishes)
{
    constexpr DWORD deadline = 1500;
    struct Case {
        const char* name;
        std::string path;
        int32_t result;
    } cases[] = {
        {"trickling body", "/trickle/100", -1},
        {"answer well inside the deadline", "/slow/300", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TRequest request;
        request.Deadline = deadline;
        ULONGLONG start = Now();
        EXPECT_EQ(Get(request, c.path), c.result);
        ULONGLONG took = Now() - start;
        if (c.result != 0) {
            EXPECT_GE(took, deadline);
            EXPECT_LT(took, deadline + 1000);
            EXPECT_EQ(request.Response().BodyText(), "");
        }
    }
    EXPECT_EQ(TRequest().Deadline, net::ExchangeDeadline);
}

TEST(Request, BodyUpToTheLimitIsAccepted)
{
    TRequest request;
    ASSERT_EQ(Get(request, "/bytes/" + std::to_string(net::BodyLimit) + "?close"), 0);
    EXPECT_EQ(request.Response().BodyText().size(), net::BodyLimit);
}

TEST(Request, SetCookieAndRawHeadersAreKept)
{
    TRequest request;
    ASSERT_EQ(Get(request, "/cookie"), 0);
    const TResponse& response = request.Response();
    EXPECT_EQ(response.ResponseField(TResponse::CookieField), "session=abc123; Path=/");
    for (int index = 0; index < TResponse::FieldCount; ++index) {
        if (index != TResponse::CookieField) {
            EXPECT_EQ(response.ResponseField(index), "") << index;
        }
    }
    EXPECT_EQ(response.RawHeaders(), "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n"
                                     "Set-Cookie: session=abc123; Path=/\r\nX-Tavilo-Test: yes\r\n\r\n");
    EXPECT_EQ(request.Response().BodyText(), "ok");
}

TEST(Request, NoSetCookieLeavesTheFieldEmpty)
{
    TRequest request;
    ASSERT_EQ(Get(request, "/bytes/10"), 0);
    EXPECT_EQ(request.Response().ResponseField(TResponse::CookieField), "");
    EXPECT_EQ(request.Response().RawHeaders().rfind("HTTP/1.1 200 OK\r\n", 0), 0u);
}
