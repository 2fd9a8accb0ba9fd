#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/Handles.h"
#include "core/Object.h"

namespace core {

enum class TSeekOrigin { Begin = 0, Current = 1, End = 2 };

// A sequence of bytes with a position. Read and Write move as many bytes as they can
// and return the count; ReadBuffer and WriteBuffer raise when the count falls short.
class TStream : public TObject {
public:
    virtual size_t Read(void* buffer, size_t count) = 0;
    virtual size_t Write(const void* buffer, size_t count) = 0;
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;
    virtual int64_t Size();
    virtual void SetSize(int64_t size) = 0;

    int64_t Position() { return Seek(0, TSeekOrigin::Current); }
    void SetPosition(int64_t position) { Seek(position, TSeekOrigin::Begin); }

    void ReadBuffer(void* buffer, size_t count);
    void WriteBuffer(const void* buffer, size_t count);
    // Copies count bytes from source's position, or everything from it when count is 0.
    int64_t CopyFrom(TStream& source, int64_t count);
};

// A stream over a Win32 file handle that it owns.
class THandleStream : public TStream {
public:
    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    void SetSize(int64_t size) override;
    HANDLE Handle() const { return handle_.Get(); }

protected:
    explicit THandleStream(TFileHandle handle) : handle_(std::move(handle)) {}
    TFileHandle handle_;
};

enum class TFileMode {
    Create,       // create or truncate, read and write, others may read
    OpenRead,     // existing file, read only, others may read and write
    OpenWrite,    // existing file, write only
    OpenReadWrite // existing file, read and write
};

// A file opened by its UTF-16 path. Failures raise EFOpenError or EFCreateError with
// the file name and the system's text.
class TFileStream : public THandleStream {
public:
    TFileStream(const std::wstring& fileName, TFileMode mode);
    const std::wstring& FileName() const { return fileName_; }

private:
    std::wstring fileName_;
};

// A growable block of memory.
class TMemoryStream : public TStream {
public:
    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return static_cast<int64_t>(data_.size()); }
    void SetSize(int64_t size) override;

    const uint8_t* Memory() const { return data_.data(); }
    uint8_t* Memory() { return data_.data(); }
    void Clear();

private:
    std::vector<uint8_t> data_;
    size_t position_ = 0;
};

// A read-only stream over a resource of a module, found by identifier and type name.
class TResourceStream : public TStream {
public:
    TResourceStream(HMODULE module, int id, const std::wstring& type);
    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return static_cast<int64_t>(size_); }
    void SetSize(int64_t size) override;

private:
    const uint8_t* data_ = nullptr;
    size_t size_ = 0;
    size_t position_ = 0;
};

// The whole content of a file, or an error as TFileStream raises it.
std::vector<uint8_t> ReadWholeFile(const std::wstring& fileName);

// Gives a file new content without ever leaving it half-written: the bytes go to
// fileName + ".tmp" in the same folder, are forced to the disk, and that file then
// replaces fileName in one step. On failure fileName keeps its old content, no
// temporary file is left, and the platform's file-creation error names fileName (a
// failed write raises the stream write error).
void ReplaceWholeFile(const std::wstring& fileName, const void* data, size_t size);

// The platform's file-creation error: "Cannot create file "<name>". <system text>".
[[noreturn]] void RaiseFileCreateError(const std::wstring& fileName, uint32_t errorCode);

} // namespace core
