#include "swf/AssetCipher.h"
#include "swf/SwfError.h"

#include <gtest/gtest.h>

#include <openssl/evp.h>

#include <numeric>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Plain(size_t size)
{
    Bytes bytes(size);
    std::iota(bytes.begin(), bytes.end(), uint8_t(7));
    return bytes;
}

const uint8_t kIv[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};

TEST(AssetCipher, RoundTripsEveryLengthAndKeySize)
{
    for (size_t keySize : {16u, 24u, 32u}) {
        Bytes key(keySize, 0x5A);
        for (size_t size : {16u, 17u, 31u, 32u, 33u, 47u, 48u, 100u, 4096u, 4111u}) {
            SCOPED_TRACE(std::to_string(keySize) + " byte key, " + std::to_string(size) + " bytes");
            Bytes plain = Plain(size);
            Bytes file = swf::EncipherAsset(plain, key);
            EXPECT_EQ(file.size(), size + 16);
            EXPECT_NE(Bytes(file.begin() + 16, file.end()), plain);
            EXPECT_EQ(swf::DecipherAsset(file, key), plain);
        }
    }
    // The default key is ours; another key reads other bytes.
    Bytes plain = Plain(70);
    EXPECT_EQ(swf::DecipherAsset(swf::EncipherAsset(plain)), plain);
    EXPECT_NE(swf::DecipherAsset(swf::EncipherAsset(plain, Bytes(16, 1)), Bytes(16, 2)), plain);
}

TEST(AssetCipher, WholeBlocksArePlainCbcAndAPartialBlockStealsTheLastOne)
{
    Bytes key(32, 0x11);
    Bytes plain = Plain(48);
    // Reference: OpenSSL's own CBC over the whole blocks.
    Bytes reference(48);
    EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
    int n = 0;
    EVP_EncryptInit_ex(ctx, EVP_aes_256_cbc(), nullptr, key.data(), kIv);
    EVP_CIPHER_CTX_set_padding(ctx, 0);
    EVP_EncryptUpdate(ctx, reference.data(), &n, plain.data(), 48);
    EVP_CIPHER_CTX_free(ctx);

    Bytes whole = swf::EncipherAsset(plain, key, kIv);
    EXPECT_EQ(Bytes(whole.begin(), whole.begin() + 16), Bytes(kIv, kIv + 16));
    EXPECT_EQ(Bytes(whole.begin() + 16, whole.end()), reference);

    // 40 bytes: C1 stays, then the final block, then C2 cut to 8 bytes.
    Bytes stolen = swf::EncipherAsset(Bytes(plain.begin(), plain.begin() + 40), key, kIv);
    ASSERT_EQ(stolen.size(), 56u);
    EXPECT_EQ(Bytes(stolen.begin() + 16, stolen.begin() + 32),
              Bytes(reference.begin(), reference.begin() + 16));
    EXPECT_EQ(Bytes(stolen.begin() + 48, stolen.end()),
              Bytes(reference.begin() + 16, reference.begin() + 24));
    EXPECT_EQ(swf::DecipherAsset(stolen, key), Bytes(plain.begin(), plain.begin() + 40));
}

TEST(AssetCipher, RefusesWhatItCannotHandle)
{
    Bytes key(32, 1);
    EXPECT_THROW(swf::EncipherAsset(Plain(15), key), swf::SwfError);
    EXPECT_THROW(swf::DecipherAsset(Plain(31), key), swf::SwfError);
    EXPECT_THROW(swf::EncipherAsset(Plain(32), Bytes(20, 1)), swf::SwfError);
    EXPECT_THROW(swf::DecipherAsset(Plain(64), Bytes()), swf::SwfError);
}

} // namespace
