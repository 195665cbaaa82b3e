#include "digest/CSHA256.h"

#include <array>
#include <bit>
#include <cstdint>
#include <vector>

namespace velantor {
namespace {

constexpr std::array<std::uint32_t, 8> kInitialHash = {
    0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a, 0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19,
};

constexpr std::array<std::uint32_t, 64> kRoundConstants = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2,
};

constexpr std::uint32_t ch(std::uint32_t x, std::uint32_t y, std::uint32_t z) {
    return (x & y) ^ (~x & z);
}
constexpr std::uint32_t maj(std::uint32_t x, std::uint32_t y, std::uint32_t z) {
    return (x & y) ^ (x & z) ^ (y & z);
}
constexpr std::uint32_t bigSigma0(std::uint32_t x) {
    return std::rotr(x, 2) ^ std::rotr(x, 13) ^ std::rotr(x, 22);
}
constexpr std::uint32_t bigSigma1(std::uint32_t x) {
    return std::rotr(x, 6) ^ std::rotr(x, 11) ^ std::rotr(x, 25);
}
constexpr std::uint32_t smallSigma0(std::uint32_t x) {
    return std::rotr(x, 7) ^ std::rotr(x, 18) ^ (x >> 3);
}
constexpr std::uint32_t smallSigma1(std::uint32_t x) {
    return std::rotr(x, 17) ^ std::rotr(x, 19) ^ (x >> 10);
}

// The padded message as big-endian 32-bit words: the bytes, 0x80, zeros, and the
// length in bits in the last two words, filling whole 16-word blocks.
std::vector<std::uint32_t> paddedWords(const QString& text) {
    const auto length = static_cast<std::uint64_t>(text.size());
    const std::size_t wordCount = (length + 8) / 64 * 16 + 16;
    std::vector<std::uint32_t> words(wordCount, 0);
    for (std::uint64_t i = 0; i < length; ++i) {
        const std::uint32_t byte = text.at(static_cast<qsizetype>(i)).unicode() & 0xFFu;
        words[i / 4] |= byte << (24 - 8 * (i % 4));
    }
    words[length / 4] |= 0x80u << (24 - 8 * (length % 4));
    const std::uint64_t bits = length * 8;
    words[wordCount - 2] = static_cast<std::uint32_t>(bits >> 32);
    words[wordCount - 1] = static_cast<std::uint32_t>(bits);
    return words;
}

void compress(std::array<std::uint32_t, 8>& hash, const std::uint32_t* block) {
    std::array<std::uint32_t, 64> w;
    for (int t = 0; t < 16; ++t)
        w[t] = block[t];
    for (int t = 16; t < 64; ++t)
        w[t] = smallSigma1(w[t - 2]) + w[t - 7] + smallSigma0(w[t - 15]) + w[t - 16];

    auto [a, b, c, d, e, f, g, h] = hash;
    for (int t = 0; t < 64; ++t) {
        const std::uint32_t t1 = h + bigSigma1(e) + ch(e, f, g) + kRoundConstants[t] + w[t];
        const std::uint32_t t2 = bigSigma0(a) + maj(a, b, c);
        h = g;
        g = f;
        f = e;
        e = d + t1;
        d = c;
        c = b;
        b = a;
        a = t1 + t2;
    }
    const std::array<std::uint32_t, 8> working = {a, b, c, d, e, f, g, h};
    for (int i = 0; i < 8; ++i)
        hash[i] += working[i];
}

} // namespace

QString CSHA256::SHA256(const QString& text) const {
    const std::vector<std::uint32_t> words = paddedWords(text);
    std::array<std::uint32_t, 8> hash = kInitialHash;
    for (std::size_t block = 0; block < words.size(); block += 16)
        compress(hash, words.data() + block);

    static constexpr char16_t kHexDigits[] = u"0123456789abcdef";
    QString digest(64, Qt::Uninitialized);
    QChar* out = digest.data();
    for (const std::uint32_t word : hash)
        for (int shift = 28; shift >= 0; shift -= 4)
            *out++ = QChar(kHexDigits[(word >> shift) & 0xFu]);
    return digest;
}

} // namespace velantor
