#include "cli/sha256.h"

#include "storage/error.h"
#include "storage/platformfile.h"

#include <fstream>

#include <openssl/evp.h>

namespace tarvena::cli {

struct Sha256Stream::Context
{
    EVP_MD_CTX *md = nullptr;
};

Sha256Stream::Sha256Stream() : mContext(new Context)
{
    mContext->md = EVP_MD_CTX_new();
    if (!mContext->md || EVP_DigestInit_ex(mContext->md, EVP_sha256(), nullptr) != 1) {
        EVP_MD_CTX_free(mContext->md);
        delete mContext;
        throw Error("Не удалось подготовить вычисление SHA-256.");
    }
}

Sha256Stream::~Sha256Stream()
{
    EVP_MD_CTX_free(mContext->md);
    delete mContext;
}

std::size_t Sha256Stream::write(const void *buffer, std::size_t count)
{
    if (count == 0)
        return 0;
    if (EVP_DigestUpdate(mContext->md, buffer, count) != 1)
        return 0;
    mSize += static_cast<std::int64_t>(count);
    return count;
}

std::string Sha256Stream::hex()
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (EVP_DigestFinal_ex(mContext->md, digest, &length) != 1)
        throw Error("Не удалось вычислить SHA-256.");
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (unsigned int i = 0; i < length; ++i) {
        text += digits[digest[i] >> 4];
        text += digits[digest[i] & 0xF];
    }
    return text;
}

std::string sha256Hex(std::string_view bytes)
{
    Sha256Stream digest;
    digest.write(bytes.data(), bytes.size());
    return digest.hex();
}

std::string fileSha256Hex(const std::string &path)
{
    std::ifstream file(platform::pathFromUtf8(path), std::ios::binary);
    if (!file)
        throw Error("Не удалось открыть файл " + path + ": " + platform::lastErrorText() + ".");
    Sha256Stream digest;
    char buffer[1 << 16];
    while (file.read(buffer, sizeof buffer) || file.gcount() > 0)
        digest.write(buffer, static_cast<std::size_t>(file.gcount()));
    if (file.bad())
        throw Error("Не удалось прочитать файл " + path + ".");
    return digest.hex();
}

} // namespace tarvena::cli
