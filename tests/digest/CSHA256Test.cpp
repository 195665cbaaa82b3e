#include <random>

#include <QByteArray>
#include <QString>

#include <gtest/gtest.h>
#include <openssl/evp.h>

#include "digest/CSHA256.h"

using namespace velantor;

namespace {

QString sha256(const QString& text) {
    return CSHA256().SHA256(text);
}

// The reference digest of raw bytes, in lower-case hexadecimal.
QString openSslDigest(const QByteArray& bytes) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    EVP_Digest(bytes.constData(), static_cast<size_t>(bytes.size()), digest, &size, EVP_sha256(), nullptr);
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(digest), int(size)).toHex());
}

} // namespace

TEST(CSHA256, PublishedVectors) {
    EXPECT_EQ(sha256(QString()),
              QStringLiteral("e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"));
    EXPECT_EQ(sha256(QStringLiteral("abc")),
              QStringLiteral("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"));
    EXPECT_EQ(sha256(QStringLiteral("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq")),
              QStringLiteral("248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"));
    EXPECT_EQ(sha256(QStringLiteral("abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmno"
                                    "ijklmnopjklmnopqklmnopqrlmnopqrsmnopqrstnopqrstu")),
              QStringLiteral("cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"));
    EXPECT_EQ(sha256(QString(1000000, QLatin1Char('a'))),
              QStringLiteral("cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"));
}

TEST(CSHA256, BlockBoundariesMatchOpenSsl) {
    // 55 characters still leave room for the 0x80 byte and the length in one block;
    // 56 need a second one. The same holds at every multiple of 64.
    for (int length : {0, 1, 54, 55, 56, 57, 63, 64, 65, 118, 119, 120, 121, 127, 128, 129}) {
        QByteArray bytes;
        for (int i = 0; i < length; ++i)
            bytes.append(static_cast<char>('A' + i % 26));
        EXPECT_EQ(sha256(QString::fromLatin1(bytes)), openSslDigest(bytes)) << length;
    }
    EXPECT_NE(sha256(QString(55, QLatin1Char('x'))), sha256(QString(56, QLatin1Char('x'))));
}

TEST(CSHA256, CharactersAboveLatin1UseTheirLowByteOnly) {
    EXPECT_EQ(sha256(QStringLiteral("€")), sha256(QStringLiteral("\u00AC")));
    EXPECT_EQ(sha256(QStringLiteral("€")), openSslDigest(QByteArray("\xAC")));
    EXPECT_EQ(sha256(QStringLiteral("a\u0141b\u4E00")), openSslDigest(QByteArray("a\x41"
                                                                                 "b",
                                                                                 3) +
                                                                      QByteArray(1, '\0')));
    // Latin-1 characters give their own byte, not a UTF-8 sequence.
    EXPECT_EQ(sha256(QStringLiteral("ñÑ")), openSslDigest(QByteArray("\xF1\xD1")));
    EXPECT_EQ(sha256(QString(QChar(0))), openSslDigest(QByteArray(1, '\0')));
}

TEST(CSHA256, RandomLatin1TextsMatchOpenSsl) {
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> lengthOf(0, 300);
    std::uniform_int_distribution<int> byteOf(0, 255);
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes(lengthOf(random), Qt::Uninitialized);
        for (char& b : bytes)
            b = static_cast<char>(byteOf(random));
        ASSERT_EQ(sha256(QString::fromLatin1(bytes)), openSslDigest(bytes)) << bytes.toHex().constData();
    }
}
