#pragma once
// SHA-256 digests of blob values in the passport dump and of whole files (OpenSSL's libcrypto).
#include "storage/stream.h"

#include <string>
#include <string_view>

namespace tarvena::cli {

// A digest taken piece by piece: bytes written to it are hashed, not kept.
class Sha256Stream : public Stream
{
public:
    Sha256Stream();
    ~Sha256Stream() override;
    Sha256Stream(const Sha256Stream &) = delete;
    Sha256Stream &operator=(const Sha256Stream &) = delete;

    std::size_t read(void *, std::size_t) override { return 0; }
    std::size_t write(const void *buffer, std::size_t count) override;
    std::int64_t position() const override { return mSize; }
    void seek(std::int64_t) override {}
    std::int64_t size() const override { return mSize; }

    // Lower-case hexadecimal digest of everything written.
    std::string hex();

private:
    struct Context;
    Context *mContext;
    std::int64_t mSize = 0;
};

// Lower-case hexadecimal SHA-256 of bytes.
std::string sha256Hex(std::string_view bytes);
// Lower-case hexadecimal SHA-256 of a file's bytes (UTF-8 path), read piece by piece; throws Error.
std::string fileSha256Hex(const std::string &path);

} // namespace tarvena::cli
