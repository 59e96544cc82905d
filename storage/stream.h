#pragma once
// Byte streams that the table stream format, the gzip framing and the passport container read and write.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarvena {

// A sequential byte stream with a position, in the manner of the program's file and memory streams.
class Stream
{
public:
    virtual ~Stream() = default;
    // Reads up to count bytes; returns how many were read (0 at the end).
    virtual std::size_t read(void *buffer, std::size_t count) = 0;
    // Writes count bytes; returns how many were written (fewer when the medium is full).
    virtual std::size_t write(const void *buffer, std::size_t count) = 0;
    virtual std::int64_t position() const = 0;
    virtual void seek(std::int64_t position) = 0;
    // kUnknownSize for a stream whose length shows only when it ends (content being inflated).
    virtual std::int64_t size() const = 0;

    static constexpr std::int64_t kUnknownSize = -1;
};

// A stream that writes a transformed form of what it is given (a compressed one) to another stream;
// finish() writes what the form keeps back to its end, or throws Error.
class WriteFilter : public Stream
{
public:
    std::size_t read(void *, std::size_t) override { return 0; }
    void seek(std::int64_t) override {} // forward only
    virtual void finish() = 0;
};

// A read-only window on the next bytes of another stream, read through without copying them first.
class StreamWindow : public Stream
{
public:
    // The window starts at the stream's current position and spans length bytes.
    StreamWindow(Stream &inner, std::int64_t length);
    std::size_t read(void *buffer, std::size_t count) override;
    std::size_t write(const void *, std::size_t) override { return 0; }
    std::int64_t position() const override { return mPosition; }
    void seek(std::int64_t position) override;
    std::int64_t size() const override { return mLength; }
    // Moves the inner stream to the end of the window, whatever was read of it.
    void skipToEnd();

private:
    Stream &mInner;
    std::int64_t mStart;
    std::int64_t mLength;
    std::int64_t mPosition = 0;
};

// An in-memory stream over a byte vector.
class MemoryStream : public Stream
{
public:
    MemoryStream() = default;
    explicit MemoryStream(std::vector<std::uint8_t> bytes) : mBytes(std::move(bytes)) {}
    explicit MemoryStream(const std::string &bytes) : mBytes(bytes.begin(), bytes.end()) {}

    std::size_t read(void *buffer, std::size_t count) override;
    std::size_t write(const void *buffer, std::size_t count) override;
    std::int64_t position() const override { return static_cast<std::int64_t>(mPosition); }
    void seek(std::int64_t position) override;
    std::int64_t size() const override { return static_cast<std::int64_t>(mBytes.size()); }

    // Cuts or extends the stream to size bytes; the position stays unless it lies past the end.
    void setSize(std::size_t size);
    // Grows the capacity ahead of a large write.
    void reserve(std::size_t capacity) { mBytes.reserve(capacity); }
    const std::vector<std::uint8_t> &bytes() const { return mBytes; }
    std::vector<std::uint8_t> &bytes() { return mBytes; }
    std::string toString() const { return std::string(mBytes.begin(), mBytes.end()); }

private:
    std::vector<std::uint8_t> mBytes;
    std::size_t mPosition = 0;
};

// A read-only stream over bytes held elsewhere in memory, read without copying them.
class ViewStream : public Stream
{
public:
    explicit ViewStream(std::string_view bytes) : mBytes(bytes) {}
    std::size_t read(void *buffer, std::size_t count) override;
    std::size_t write(const void *, std::size_t) override { return 0; }
    std::int64_t position() const override { return static_cast<std::int64_t>(mPosition); }
    void seek(std::int64_t position) override;
    std::int64_t size() const override { return static_cast<std::int64_t>(mBytes.size()); }

private:
    std::string_view mBytes;
    std::size_t mPosition = 0;
};

} // namespace tarvena
