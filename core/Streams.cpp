#include "core/Streams.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "core/Exceptions.h"

namespace core {

int64_t TStream::Size()
{
    int64_t position = Seek(0, TSeekOrigin::Current);
    int64_t size = Seek(0, TSeekOrigin::End);
    Seek(position, TSeekOrigin::Begin);
    return size;
}

void TStream::ReadBuffer(void* buffer, size_t count)
{
    if (count != 0 && Read(buffer, count) != count)
        throw EReadError(L"Stream read error");
}

void TStream::WriteBuffer(const void* buffer, size_t count)
{
    if (count != 0 && Write(buffer, count) != count)
        throw EWriteError(L"Stream write error");
}

int64_t TStream::CopyFrom(TStream& source, int64_t count)
{
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    constexpr size_t chunk = 64 * 1024;
    std::vector<uint8_t> buffer(static_cast<size_t>(std::min<int64_t>(count, chunk)));
    int64_t left = count;
    while (left > 0) {
        size_t n = static_cast<size_t>(std::min<int64_t>(left, chunk));
        source.ReadBuffer(buffer.data(), n);
        WriteBuffer(buffer.data(), n);
        left -= n;
    }
    return count;
}

// Win32 file calls move at most 4 GiB - 1 at a time.
static DWORD ClampCount(size_t count)
{
    return static_cast<DWORD>(std::min<size_t>(count, std::numeric_limits<DWORD>::max()));
}

size_t THandleStream::Read(void* buffer, size_t count)
{
    DWORD done = 0;
    if (!ReadFile(handle_.Get(), buffer, ClampCount(count), &done, nullptr))
        return 0;
    return done;
}

size_t THandleStream::Write(const void* buffer, size_t count)
{
    DWORD done = 0;
    if (!WriteFile(handle_.Get(), buffer, ClampCount(count), &done, nullptr))
        return 0;
    return done;
}

int64_t THandleStream::Seek(int64_t offset, TSeekOrigin origin)
{
    LARGE_INTEGER distance{};
    distance.QuadPart = offset;
    LARGE_INTEGER result{};
    if (!SetFilePointerEx(handle_.Get(), distance, &result, static_cast<DWORD>(origin)))
        return -1;
    return result.QuadPart;
}

void THandleStream::SetSize(int64_t size)
{
    Seek(size, TSeekOrigin::Begin);
    if (!SetEndOfFile(handle_.Get()))
        RaiseLastOSError();
}

namespace {

// Errors name reportedName: the file the caller asked for, which is not always the one
// opened (ReplaceWholeFile writes beside it).
TFileHandle OpenFile(const std::wstring& fileName, TFileMode mode, const std::wstring& reportedName)
{
    DWORD access = 0, share = FILE_SHARE_READ, disposition = OPEN_EXISTING;
    switch (mode) {
    case TFileMode::Create:
        access = GENERIC_READ | GENERIC_WRITE;
        disposition = CREATE_ALWAYS;
        break;
    case TFileMode::OpenRead:
        access = GENERIC_READ;
        share = FILE_SHARE_READ | FILE_SHARE_WRITE;
        break;
    case TFileMode::OpenWrite:
        access = GENERIC_WRITE;
        break;
    case TFileMode::OpenReadWrite:
        access = GENERIC_READ | GENERIC_WRITE;
        break;
    }
    TFileHandle handle(CreateFileW(fileName.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle) {
        DWORD error = GetLastError();
        if (mode == TFileMode::Create)
            RaiseFileCreateError(reportedName, error);
        throw EFOpenError(Format(L"Cannot open file \"%s\". %s", reportedName, SysErrorMessage(error)));
    }
    return handle;
}

void WriteAll(HANDLE file, const uint8_t* data, size_t size)
{
    while (size > 0) {
        DWORD done = 0;
        if (!WriteFile(file, data, ClampCount(size), &done, nullptr) || done == 0)
            throw EWriteError(L"Stream write error");
        data += done;
        size -= done;
    }
    if (!FlushFileBuffers(file))
        throw EWriteError(L"Stream write error");
}

} // namespace

TFileStream::TFileStream(const std::wstring& fileName, TFileMode mode)
    : THandleStream(OpenFile(fileName, mode, fileName)), fileName_(fileName)
{
}

size_t TMemoryStream::Read(void* buffer, size_t count)
{
    if (position_ >= data_.size())
        return 0;
    size_t n = std::min(count, data_.size() - position_);
    std::memcpy(buffer, data_.data() + position_, n);
    position_ += n;
    return n;
}

size_t TMemoryStream::Write(const void* buffer, size_t count)
{
    if (count == 0)
        return 0;
    if (position_ + count > data_.size())
        data_.resize(position_ + count);
    std::memcpy(data_.data() + position_, buffer, count);
    position_ += count;
    return count;
}

// Memory-backed streams seek anywhere at or after the start; a position past the end
// reads nothing and makes the next write grow the block.
static int64_t SeekWithin(size_t& position, size_t size, int64_t offset, TSeekOrigin origin)
{
    int64_t base = origin == TSeekOrigin::Begin ? 0 : origin == TSeekOrigin::Current ? static_cast<int64_t>(position)
                                                                                      : static_cast<int64_t>(size);
    int64_t target = base + offset;
    if (target < 0)
        target = 0;
    position = static_cast<size_t>(target);
    return target;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin)
{
    return SeekWithin(position_, data_.size(), offset, origin);
}

void TMemoryStream::SetSize(int64_t size)
{
    data_.resize(static_cast<size_t>(std::max<int64_t>(size, 0)));
    position_ = std::min(position_, data_.size());
}

void TMemoryStream::Clear()
{
    data_.clear();
    position_ = 0;
}

TResourceStream::TResourceStream(HMODULE module, int id, const std::wstring& type)
{
    HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(id), type.c_str());
    HGLOBAL global = info ? LoadResource(module, info) : nullptr;
    data_ = global ? static_cast<const uint8_t*>(LockResource(global)) : nullptr;
    if (!data_)
        throw EResNotFound(Format(L"Resource %d not found", id));
    size_ = SizeofResource(module, info);
}

size_t TResourceStream::Read(void* buffer, size_t count)
{
    if (position_ >= size_)
        return 0;
    size_t n = std::min(count, size_ - position_);
    std::memcpy(buffer, data_ + position_, n);
    position_ += n;
    return n;
}

size_t TResourceStream::Write(const void*, size_t)
{
    throw EStreamError(L"Can't write to a read-only resource stream");
}

int64_t TResourceStream::Seek(int64_t offset, TSeekOrigin origin)
{
    return SeekWithin(position_, size_, offset, origin);
}

void TResourceStream::SetSize(int64_t)
{
    throw EStreamError(L"Can't write to a read-only resource stream");
}

void RaiseFileCreateError(const std::wstring& fileName, uint32_t errorCode)
{
    throw EFCreateError(Format(L"Cannot create file \"%s\". %s", fileName, SysErrorMessage(errorCode)));
}

void ReplaceWholeFile(const std::wstring& fileName, const void* data, size_t size)
{
    const std::wstring temporary = fileName + L".tmp";
    try {
        WriteAll(OpenFile(temporary, TFileMode::Create, fileName).Get(), static_cast<const uint8_t*>(data), size);
    } catch (...) {
        DeleteFileW(temporary.c_str());
        throw;
    }
    if (!MoveFileExW(temporary.c_str(), fileName.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DWORD error = GetLastError();
        DeleteFileW(temporary.c_str());
        RaiseFileCreateError(fileName, error);
    }
}

std::vector<uint8_t> ReadWholeFile(const std::wstring& fileName)
{
    TFileStream file(fileName, TFileMode::OpenRead);
    std::vector<uint8_t> bytes(static_cast<size_t>(file.Size()));
    file.ReadBuffer(bytes.data(), bytes.size());
    return bytes;
}

} // namespace core
