#pragma once
#include <cstdint>
#include <exception>
#include <string>

#include "core/Format.h"

namespace core {

// Base of the program's exceptions: a UTF-16 message, as the platform formats it.
class Exception : public std::exception {
public:
    explicit Exception(std::wstring message);
    const std::wstring& Message() const { return message_; }
    const char* what() const noexcept override { return utf8_.c_str(); }

private:
    std::wstring message_;
    std::string utf8_;
};

// A call that is not valid in the object's state ("Parent Required %s").
class EInvalidOperation : public Exception {
    using Exception::Exception;
};

// A failing operating-system call, with its error code and the system's text for it.
class EOSError : public Exception {
public:
    explicit EOSError(uint32_t errorCode);
    uint32_t ErrorCode() const { return errorCode_; }

private:
    uint32_t errorCode_;
};

class EListError : public Exception {
    using Exception::Exception;
};
class EConvertError : public Exception {
    using Exception::Exception;
};
class EStreamError : public Exception {
    using Exception::Exception;
};
class EReadError : public EStreamError {
    using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
    using EStreamError::EStreamError;
};
class EFileStreamError : public EStreamError {
    using EStreamError::EStreamError;
};
class EFOpenError : public EFileStreamError {
    using EFileStreamError::EFileStreamError;
};
class EFCreateError : public EFileStreamError {
    using EFileStreamError::EFileStreamError;
};
class EResNotFound : public Exception {
    using Exception::Exception;
};

// The system's message for an error code, without its trailing line break.
std::wstring SysErrorMessage(uint32_t errorCode);

[[noreturn]] void RaiseOSError(uint32_t errorCode);
[[noreturn]] void RaiseLastOSError();

// Wide text to UTF-8, for what() and for test output.
std::string ToUtf8(std::wstring_view text);

} // namespace core
