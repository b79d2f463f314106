#include "swf/AssetCipher.h"

#include "swf/SwfError.h"

#include <openssl/evp.h>
#include <openssl/rand.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace swf {
namespace {

constexpr size_t kBlock = 16;

const EVP_CIPHER* CbcCipher(size_t keySize)
{
    switch (keySize) {
    case 16:
        return EVP_aes_128_cbc();
    case 24:
        return EVP_aes_192_cbc();
    case 32:
        return EVP_aes_256_cbc();
    default:
        throw SwfError("asset key of " + std::to_string(keySize) + " bytes (16, 24 or 32 expected)");
    }
}

// Plain CBC over whole blocks, the chaining value carried in and out through iv.
void Cbc(bool encrypt, std::span<const uint8_t> key, uint8_t iv[kBlock], const uint8_t* in, uint8_t* out,
         size_t size)
{
    if (size == 0)
        return;
    std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)> ctx(EVP_CIPHER_CTX_new(),
                                                                        EVP_CIPHER_CTX_free);
    int produced = 0;
    if (!ctx ||
        EVP_CipherInit_ex(ctx.get(), CbcCipher(key.size()), nullptr, key.data(), iv, encrypt ? 1 : 0) != 1 ||
        EVP_CIPHER_CTX_set_padding(ctx.get(), 0) != 1 ||
        EVP_CipherUpdate(ctx.get(), out, &produced, in, static_cast<int>(size)) != 1 ||
        static_cast<size_t>(produced) != size)
        throw SwfError("asset cipher failed");
    // The next chaining value is the last cipher block.
    std::memcpy(iv, (encrypt ? out : in) + size - kBlock, kBlock);
}

} // namespace

// CBC with ciphertext stealing, "CS2" arrangement: when the length is a whole number of blocks
// it is plain CBC; otherwise the last full cipher block is put after the final (full) block,
// cut to the length of the partial plain block.
std::vector<uint8_t> EncipherAsset(std::span<const uint8_t> plain, std::span<const uint8_t> key,
                                   std::span<const uint8_t, 16> iv)
{
    if (plain.size() < kBlock)
        throw SwfError("asset of " + std::to_string(plain.size()) + " bytes is too short to encipher");
    CbcCipher(key.size());
    std::vector<uint8_t> out(kBlock + plain.size());
    std::copy(iv.begin(), iv.end(), out.begin());
    uint8_t chain[kBlock];
    std::memcpy(chain, iv.data(), kBlock);
    size_t tail = plain.size() % kBlock;
    size_t whole = plain.size() - tail;
    uint8_t* cipher = out.data() + kBlock;
    Cbc(true, key, chain, plain.data(), cipher, whole);
    if (tail == 0)
        return out;
    // chain is now C(n-1), the last full cipher block, at cipher + whole - 16.
    uint8_t last[kBlock] = {};
    std::memcpy(last, plain.data() + whole, tail);
    uint8_t finalBlock[kBlock];
    uint8_t chainCopy[kBlock];
    std::memcpy(chainCopy, chain, kBlock);
    Cbc(true, key, chainCopy, last, finalBlock, kBlock);
    std::memcpy(cipher + whole - kBlock, finalBlock, kBlock);
    std::memcpy(cipher + whole, chain, tail);
    return out;
}

std::vector<uint8_t> EncipherAsset(std::span<const uint8_t> plain, std::span<const uint8_t> key)
{
    uint8_t iv[kBlock];
    if (RAND_bytes(iv, kBlock) != 1)
        throw SwfError("no random bytes for the asset cipher");
    return EncipherAsset(plain, key, std::span<const uint8_t, 16>(iv, kBlock));
}

std::vector<uint8_t> DecipherAsset(std::span<const uint8_t> file, std::span<const uint8_t> key)
{
    if (file.size() < 2 * kBlock)
        throw SwfError("asset file of " + std::to_string(file.size()) + " bytes is too short to decipher");
    CbcCipher(key.size());
    uint8_t chain[kBlock];
    std::memcpy(chain, file.data(), kBlock);
    auto cipher = file.subspan(kBlock);
    std::vector<uint8_t> plain(cipher.size());
    size_t tail = cipher.size() % kBlock;
    size_t whole = cipher.size() - tail;
    if (tail == 0) {
        Cbc(false, key, chain, cipher.data(), plain.data(), whole);
        return plain;
    }
    // Everything before the last two (stolen) blocks is plain CBC.
    size_t head = whole - kBlock;
    Cbc(false, key, chain, cipher.data(), plain.data(), head);
    // The full block at head enciphers the padded last plain block chained on C(n-1); decrypting
    // it without chaining gives C(n-1) xor padded P(n), whose tail bytes are C(n-1)'s own.
    uint8_t zero[kBlock] = {};
    uint8_t mixed[kBlock];
    Cbc(false, key, zero, cipher.data() + head, mixed, kBlock);
    uint8_t previous[kBlock];
    std::memcpy(previous, cipher.data() + whole, tail);
    std::memcpy(previous + tail, mixed + tail, kBlock - tail);
    for (size_t i = 0; i < tail; ++i)
        plain[whole + i] = mixed[i] ^ previous[i];
    Cbc(false, key, chain, previous, plain.data() + head, kBlock);
    return plain;
}

} // namespace swf
