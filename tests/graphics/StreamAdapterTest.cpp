#include <gtest/gtest.h>

#include <wrl/client.h>

#include <cstring>
#include <string>

#include "core/Exceptions.h"
#include "core/Streams.h"
#include "graphics/StreamAdapter.h"
#include "resources/Resources.h"
#include "tests/graphics/GraphicsTestSupport.h"

using graphics::TStreamAdapter;
using graphics::TStreamOwnership;
using Microsoft::WRL::ComPtr;

namespace {

// A memory stream whose every operation can be made to fail or fall short.
class TTroubledStream : public core::TMemoryStream {
public:
    explicit TTroubledStream(bool* destroyed = nullptr) : destroyed_(destroyed) {}
    ~TTroubledStream() override
    {
        if (destroyed_)
            *destroyed_ = true;
    }
    size_t Read(void* buffer, size_t count) override
    {
        Check();
        return TMemoryStream::Read(buffer, count);
    }
    size_t Write(const void* buffer, size_t count) override
    {
        Check();
        return TMemoryStream::Write(buffer, shortWrites ? count / 2 : count);
    }
    int64_t Seek(int64_t offset, core::TSeekOrigin origin) override
    {
        Check();
        return TMemoryStream::Seek(offset, origin);
    }
    int64_t Size() override
    {
        Check();
        return TMemoryStream::Size();
    }
    void SetSize(int64_t size) override
    {
        Check();
        if (!ignoreSetSize)
            TMemoryStream::SetSize(size);
    }

    bool failing = false;
    bool shortWrites = false;
    bool ignoreSetSize = false;

private:
    void Check()
    {
        if (failing)
            throw core::EStreamError(L"broken");
    }
    bool* destroyed_;
};

ComPtr<IStream> Adapt(core::TStream& stream)
{
    return ComPtr<IStream>(new TStreamAdapter(&stream, TStreamOwnership::Reference));
}

LARGE_INTEGER Offset(int64_t value)
{
    LARGE_INTEGER offset;
    offset.QuadPart = value;
    return offset;
}

ULARGE_INTEGER Count(uint64_t value)
{
    ULARGE_INTEGER count;
    count.QuadPart = value;
    return count;
}

class StreamAdapterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        stream_.WriteBuffer("abcdef", 6);
        stream_.SetPosition(0);
        adapter_ = Adapt(stream_);
    }

    TTroubledStream stream_;
    ComPtr<IStream> adapter_;
};

} // namespace

TEST_F(StreamAdapterTest, ReadsUpToTheEndAndThenNothing)
{
    char buffer[8] = {};
    ULONG done = 99;
    EXPECT_EQ(adapter_->Read(buffer, 4, &done), S_OK);
    EXPECT_EQ(done, 4u);
    EXPECT_EQ(std::string(buffer, 4), "abcd");
    EXPECT_EQ(adapter_->Read(buffer, 8, nullptr), S_OK);
    EXPECT_EQ(adapter_->Read(buffer, 8, &done), S_OK);
    EXPECT_EQ(done, 0u);
    EXPECT_EQ(adapter_->Read(nullptr, 1, &done), STG_E_INVALIDPOINTER);
}

TEST_F(StreamAdapterTest, SeeksWithTheThreeOriginsOnly)
{
    ULARGE_INTEGER position{};
    EXPECT_EQ(adapter_->Seek(Offset(-2), STREAM_SEEK_END, &position), S_OK);
    EXPECT_EQ(position.QuadPart, 4u);
    EXPECT_EQ(adapter_->Seek(Offset(-1), STREAM_SEEK_CUR, &position), S_OK);
    EXPECT_EQ(position.QuadPart, 3u);
    EXPECT_EQ(adapter_->Seek(Offset(1), STREAM_SEEK_SET, nullptr), S_OK);
    EXPECT_EQ(stream_.Position(), 1);

    EXPECT_EQ(adapter_->Seek(Offset(0), 3, &position), STG_E_INVALIDFUNCTION);
    EXPECT_EQ(stream_.Position(), 1);
}

TEST_F(StreamAdapterTest, StatReportsTheWholeSizeWhereverThePositionIs)
{
    stream_.SetPosition(5);
    STATSTG status;
    std::memset(&status, 0xAB, sizeof(status));
    EXPECT_EQ(adapter_->Stat(&status, STATFLAG_DEFAULT), S_OK);
    EXPECT_EQ(status.type, static_cast<DWORD>(STGTY_STREAM));
    EXPECT_EQ(status.cbSize.QuadPart, 6u);
    EXPECT_EQ(status.grfLocksSupported, static_cast<DWORD>(LOCK_WRITE));
    EXPECT_EQ(status.pwcsName, nullptr);
    EXPECT_EQ(status.grfMode, 0u);
    EXPECT_EQ(adapter_->Stat(nullptr, STATFLAG_DEFAULT), S_OK);
}

TEST_F(StreamAdapterTest, WritesAndResizes)
{
    ULONG done = 0;
    stream_.SetPosition(6);
    EXPECT_EQ(adapter_->Write("gh", 2, &done), S_OK);
    EXPECT_EQ(done, 2u);
    EXPECT_EQ(stream_.Size(), 8);
    EXPECT_EQ(adapter_->Write(nullptr, 2, &done), STG_E_INVALIDPOINTER);

    EXPECT_EQ(adapter_->SetSize(Count(3)), S_OK);
    EXPECT_EQ(stream_.Size(), 3);
    stream_.ignoreSetSize = true;
    EXPECT_EQ(adapter_->SetSize(Count(10)), E_FAIL);
}

TEST_F(StreamAdapterTest, ErrorsOfTheStreamBecomeResults)
{
    stream_.failing = true;
    char buffer[4];
    ULONG done = 0;
    STATSTG status{};
    EXPECT_EQ(adapter_->Read(buffer, 4, &done), S_FALSE);
    EXPECT_EQ(adapter_->Write("x", 1, &done), STG_E_CANTSAVE);
    EXPECT_EQ(adapter_->Seek(Offset(0), STREAM_SEEK_SET, nullptr), STG_E_INVALIDPOINTER);
    EXPECT_EQ(adapter_->SetSize(Count(1)), E_UNEXPECTED);
    EXPECT_EQ(adapter_->Stat(&status, STATFLAG_DEFAULT), E_UNEXPECTED);
}

TEST_F(StreamAdapterTest, AReadOnlyResourceStreamRefusesWrites)
{
    core::TResourceStream resource(graphics_test::SkinModule(), IDB_CHECK_CHECKED, L"PNG");
    ComPtr<IStream> adapter = Adapt(resource);
    ULONG done = 0;
    EXPECT_EQ(adapter->Write("x", 1, &done), STG_E_CANTSAVE);
    EXPECT_EQ(adapter->SetSize(Count(0)), E_UNEXPECTED);
}

TEST_F(StreamAdapterTest, FixedAnswers)
{
    IStream* copy = reinterpret_cast<IStream*>(1);
    EXPECT_EQ(adapter_->Commit(STGC_DEFAULT), S_OK);
    EXPECT_EQ(adapter_->Revert(), STG_E_REVERTED);
    EXPECT_EQ(adapter_->LockRegion(Count(0), Count(1), LOCK_WRITE), STG_E_INVALIDFUNCTION);
    EXPECT_EQ(adapter_->UnlockRegion(Count(0), Count(1), LOCK_WRITE), STG_E_INVALIDFUNCTION);
    EXPECT_EQ(adapter_->Clone(&copy), E_NOTIMPL);
    EXPECT_EQ(copy, nullptr);
}

TEST_F(StreamAdapterTest, CopiesToAnotherStreamUntilTheSourceEnds)
{
    core::TMemoryStream target;
    ComPtr<IStream> targetAdapter = Adapt(target);
    stream_.SetPosition(1);
    ULARGE_INTEGER read{}, written{};
    EXPECT_EQ(adapter_->CopyTo(targetAdapter.Get(), Count(3), &read, &written), S_OK);
    EXPECT_EQ(read.QuadPart, 3u);
    EXPECT_EQ(written.QuadPart, 3u);
    EXPECT_EQ(adapter_->CopyTo(targetAdapter.Get(), Count(1u << 30), &read, &written), S_OK);
    EXPECT_EQ(read.QuadPart, 2u);
    EXPECT_EQ(written.QuadPart, 2u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(target.Memory()), 5), "bcdef");
    EXPECT_EQ(adapter_->CopyTo(nullptr, Count(1), &read, &written), STG_E_INVALIDPOINTER);
}

TEST_F(StreamAdapterTest, CopyFailuresOfTheTargetEndTheCopy)
{
    TTroubledStream target;
    ComPtr<IStream> targetAdapter = Adapt(target);
    ULARGE_INTEGER read{}, written{};

    target.shortWrites = true;
    EXPECT_EQ(adapter_->CopyTo(targetAdapter.Get(), Count(6), &read, &written), E_FAIL);
    EXPECT_EQ(read.QuadPart, 6u);
    EXPECT_EQ(written.QuadPart, 3u);

    stream_.SetPosition(0);
    target.shortWrites = false;
    target.failing = true;
    EXPECT_EQ(adapter_->CopyTo(targetAdapter.Get(), Count(6), &read, &written), STG_E_CANTSAVE);
    EXPECT_EQ(read.QuadPart, 6u);
    EXPECT_EQ(written.QuadPart, 0u);

    stream_.failing = true;
    target.failing = false;
    EXPECT_EQ(adapter_->CopyTo(targetAdapter.Get(), Count(6), &read, &written), E_UNEXPECTED);
    EXPECT_EQ(read.QuadPart, 0u);
}

TEST(StreamAdapter, AnswersForItsThreeInterfacesOnly)
{
    core::TMemoryStream stream;
    ComPtr<IStream> adapter = Adapt(stream);
    ComPtr<IUnknown> unknown;
    ComPtr<ISequentialStream> sequential;
    ComPtr<IStorage> storage;
    EXPECT_EQ(adapter.As(&unknown), S_OK);
    EXPECT_EQ(adapter.As(&sequential), S_OK);
    EXPECT_EQ(adapter.As(&storage), E_NOINTERFACE);
    EXPECT_EQ(storage, nullptr);
    EXPECT_EQ(adapter->QueryInterface(IID_IStream, nullptr), E_POINTER);
}

TEST(StreamAdapter, FreesAnOwnedStreamWithItsLastReference)
{
    bool ownedGone = false, referencedGone = false;
    TTroubledStream referenced(&referencedGone);
    {
        ComPtr<IStream> owner(new TStreamAdapter(new TTroubledStream(&ownedGone), TStreamOwnership::Owned));
        ComPtr<IStream> second = owner;
        owner.Reset();
        EXPECT_FALSE(ownedGone);
        ComPtr<IStream> borrower = Adapt(referenced);
    }
    EXPECT_TRUE(ownedGone);
    EXPECT_FALSE(referencedGone);
}
