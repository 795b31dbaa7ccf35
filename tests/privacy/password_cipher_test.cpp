#include "privacy/PasswordCipher.h"

#include <gtest/gtest.h>

#include <QByteArray>

using dayvell::Decryptstring;
using dayvell::EncryptString;

namespace {

const QByteArray kPasswordCharacters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 ";

TEST(PasswordCipher, KnownVectors)
{
    struct Case {
        QByteArray plain;
        QByteArray scrambled;
    };
    const Case cases[] = {
        {"abc", "\xC2\xC9\xC4"},
        {"", ""},
        {"A", "\xA4"},            // 65 - 1 + 100
        {"AA", "\xA3\xA7"},       // odd and even positions move apart
        {"12345678", "\x8D\x9E\x8F\xA0\x91\xA2\x93\xA4"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EncryptString(c.plain), c.scrambled) << c.plain.toStdString();
        EXPECT_EQ(Decryptstring(c.scrambled), c.plain) << c.plain.toStdString();
    }
}

TEST(PasswordCipher, LetterCaseChangesTheScrambledText)
{
    EXPECT_NE(EncryptString("Secret"), EncryptString("secret"));
    EXPECT_NE(EncryptString("secreT"), EncryptString("secret"));
}

// Every password the dialog lets through, at every length from 1 to 8 and
// with every character at odd and even positions, comes back unchanged and
// is stored as bytes from 0x7C to 0xE6: no control character, quote or space.
TEST(PasswordCipher, EveryAllowedPasswordRoundTripsWithinThePrintableRange)
{
    for (int length = 1; length <= 8; ++length) {
        for (qsizetype start = 0; start < kPasswordCharacters.size(); ++start) {
            QByteArray plain;
            for (int i = 0; i < length; ++i)
                plain += kPasswordCharacters[(start + i) % kPasswordCharacters.size()];
            const QByteArray scrambled = EncryptString(plain);
            ASSERT_EQ(scrambled.size(), plain.size());
            for (char byte : scrambled) {
                const int value = static_cast<unsigned char>(byte);
                EXPECT_GE(value, 0x7C) << plain.toStdString();
                EXPECT_LE(value, 0xE6) << plain.toStdString();
            }
            EXPECT_EQ(Decryptstring(scrambled), plain);
        }
    }
}

TEST(PasswordCipher, AnyBytesOfAnyLengthRoundTrip)
{
    for (int length : {1, 255, 256, 257, 600}) {
        QByteArray plain(length, Qt::Uninitialized);
        for (int i = 0; i < length; ++i)
            plain[i] = static_cast<char>(i * 7);
        EXPECT_EQ(Decryptstring(EncryptString(plain)), plain) << length;
        EXPECT_EQ(EncryptString(Decryptstring(plain)), plain) << length;
    }
}

}  // namespace
