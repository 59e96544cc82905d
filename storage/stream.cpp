#include "storage/stream.h"

#include <algorithm>
#include <cstring>

namespace tarvena {

namespace {
// Copies up to count bytes from position on; returns how many and moves position past them.
std::size_t readFrom(const std::uint8_t *bytes, std::size_t size, std::size_t &position, void *buffer,
                     std::size_t count)
{
    if (position >= size || count == 0)
        return 0;
    const std::size_t n = std::min(count, size - position);
    std::memcpy(buffer, bytes + position, n);
    position += n;
    return n;
}
} // namespace

std::size_t MemoryStream::read(void *buffer, std::size_t count)
{
    return readFrom(mBytes.data(), mBytes.size(), mPosition, buffer, count);
}

std::size_t MemoryStream::write(const void *buffer, std::size_t count)
{
    if (count == 0)
        return 0;
    if (mPosition + count > mBytes.size())
        mBytes.resize(mPosition + count);
    std::memcpy(mBytes.data() + mPosition, buffer, count);
    mPosition += count;
    return count;
}

void MemoryStream::seek(std::int64_t position)
{
    mPosition = position < 0 ? 0 : static_cast<std::size_t>(position);
}

void MemoryStream::setSize(std::size_t size)
{
    mBytes.resize(size);
    mPosition = std::min(mPosition, size);
}

std::size_t ViewStream::read(void *buffer, std::size_t count)
{
    return readFrom(reinterpret_cast<const std::uint8_t *>(mBytes.data()), mBytes.size(), mPosition, buffer,
                    count);
}

void ViewStream::seek(std::int64_t position)
{
    mPosition = std::min(static_cast<std::size_t>(std::max<std::int64_t>(position, 0)), mBytes.size());
}

StreamWindow::StreamWindow(Stream &inner, std::int64_t length)
    : mInner(inner), mStart(inner.position()), mLength(std::max<std::int64_t>(length, 0))
{}

std::size_t StreamWindow::read(void *buffer, std::size_t count)
{
    const auto left = static_cast<std::size_t>(mLength - mPosition);
    const std::size_t n = mInner.read(buffer, std::min(count, left));
    mPosition += static_cast<std::int64_t>(n);
    return n;
}

void StreamWindow::seek(std::int64_t position)
{
    mPosition = std::clamp<std::int64_t>(position, 0, mLength);
    mInner.seek(mStart + mPosition);
}

void StreamWindow::skipToEnd()
{
    seek(mLength);
}

} // namespace tarvena
