#include "store/engine/EngineError.h"
#include "store/engine/MemoCipher.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>

using dayvell::engine::EngineError;
using dayvell::engine::MemoCipher;
using ::testing::HasSubstr;

namespace {

// Key derivation is deliberately slow, so the keys are made once for the suite.
class MemoCipherTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        salt = MemoCipher::makeSalt();
        diary.emplace(MemoCipher::derive("Secret 1", salt));
        otherCase.emplace(MemoCipher::derive("secret 1", salt));
        otherSalt.emplace(MemoCipher::derive("Secret 1", MemoCipher::makeSalt()));
    }
    static void TearDownTestSuite()
    {
        diary.reset();
        otherCase.reset();
        otherSalt.reset();
    }

    static std::string expectOpenError(const MemoCipher& cipher, const std::string& sealed,
                                       const std::string& dateKey)
    {
        try {
            (void)cipher.open(sealed, dateKey);
        } catch (const EngineError& error) {
            return error.what();
        }
        ADD_FAILURE() << "open() accepted bytes it should refuse";
        return {};
    }

    static inline std::string salt;
    static inline std::optional<MemoCipher> diary;
    static inline std::optional<MemoCipher> otherCase;
    static inline std::optional<MemoCipher> otherSalt;

    const std::string rtf = "{\\rtf1\\ansi Dear diary,\\par today \\b nothing\\b0  happened.}";
};

TEST_F(MemoCipherTest, SealedMemoOpensToTheSameTextForItsDate)
{
    for (const std::string& text : {std::string(), rtf, std::string(64 * 1024, '\0')}) {
        const std::string sealed = diary->seal(text, "20240229");
        EXPECT_TRUE(MemoCipher::isSealed(sealed));
        EXPECT_EQ(sealed.size(), MemoCipher::kHeaderSize + text.size() + MemoCipher::kTagSize);
        EXPECT_EQ(diary->open(sealed, "20240229"), text);
    }
}

TEST_F(MemoCipherTest, SameTextSealsDifferentlyEachTimeAndHidesThePlainText)
{
    const std::string first = diary->seal(rtf, "20240101");
    const std::string second = diary->seal(rtf, "20240101");
    EXPECT_NE(first, second);
    EXPECT_EQ(first.find("diary"), std::string::npos);
}

TEST_F(MemoCipherTest, PlainMemosAreNotTakenForSealedOnes)
{
    EXPECT_FALSE(MemoCipher::isSealed(rtf));
    EXPECT_FALSE(MemoCipher::isSealed(""));
    EXPECT_FALSE(MemoCipher::isSealed("DVM plain text"));
    EXPECT_THAT(expectOpenError(*diary, rtf, "20240101"), HasSubstr("not encrypted"));
}

TEST_F(MemoCipherTest, KeyFromAnotherPasswordOrSaltCannotOpen)
{
    const std::string sealed = diary->seal(rtf, "20240101");
    for (const MemoCipher* wrong : {&*otherCase, &*otherSalt}) {
        const std::string message = expectOpenError(*wrong, sealed, "20240101");
        EXPECT_THAT(message, HasSubstr("20240101"));
        EXPECT_THAT(message, HasSubstr("wrong password"));
    }
}

TEST_F(MemoCipherTest, SameKeyDerivedAgainOpensOldMemos)
{
    const std::string sealed = diary->seal(rtf, "20231231");
    EXPECT_EQ(MemoCipher::derive("Secret 1", salt).open(sealed, "20231231"), rtf);
}

TEST_F(MemoCipherTest, MemoMovedToAnotherDateIsRefused)
{
    const std::string monday = diary->seal("monday", "20240101");
    const std::string tuesday = diary->seal("tuesday", "20240102");
    expectOpenError(*diary, monday, "20240102");
    expectOpenError(*diary, tuesday, "20240101");
}

TEST_F(MemoCipherTest, AnyAlteredByteIsRefused)
{
    const std::string sealed = diary->seal(rtf, "20240101");
    for (std::size_t at = 0; at < sealed.size(); ++at) {
        std::string altered = sealed;
        altered[at] = static_cast<char>(altered[at] ^ 0x01);
        EXPECT_THROW((void)diary->open(altered, "20240101"), EngineError) << "byte " << at;
    }
}

TEST_F(MemoCipherTest, TruncatedMemoIsReportedAsTruncated)
{
    const std::string sealed = diary->seal(rtf, "20240101");
    for (std::size_t length : {std::size_t{4}, std::size_t{5}, MemoCipher::kHeaderSize,
                               MemoCipher::kHeaderSize + MemoCipher::kTagSize - 1}) {
        EXPECT_THAT(expectOpenError(*diary, sealed.substr(0, length), "20240101"),
                    HasSubstr("truncated"))
            << length;
    }
    EXPECT_THROW((void)diary->open(sealed.substr(0, sealed.size() - 1), "20240101"), EngineError);
}

TEST_F(MemoCipherTest, UnknownFormatVersionIsNamed)
{
    std::string sealed = diary->seal(rtf, "20240101");
    sealed[MemoCipher::kMagic.size()] = 7;
    EXPECT_THAT(expectOpenError(*diary, sealed, "20240101"), HasSubstr("version 7"));
}

TEST_F(MemoCipherTest, KeyCheckTellsTheRightPasswordFromAWrongOne)
{
    const std::string check = diary->makeKeyCheck();
    EXPECT_EQ(check.size(), MemoCipher::kKeyCheckSize);
    EXPECT_TRUE(diary->verifyKeyCheck(check));
    EXPECT_TRUE(MemoCipher::derive("Secret 1", salt).verifyKeyCheck(check));
    EXPECT_FALSE(otherCase->verifyKeyCheck(check));
    EXPECT_FALSE(otherSalt->verifyKeyCheck(check));

    std::string altered = check;
    altered.back() = static_cast<char>(altered.back() ^ 0x80);
    EXPECT_FALSE(diary->verifyKeyCheck(altered));
}

TEST_F(MemoCipherTest, KeyCheckIsNotAMemoAndAMemoIsNotAKeyCheck)
{
    EXPECT_FALSE(diary->verifyKeyCheck(diary->seal("Dayvell table key", "20240101")));
    EXPECT_THROW((void)diary->open(diary->makeKeyCheck(), "20240101"), EngineError);
}

TEST_F(MemoCipherTest, DamagedKeyCheckIsAnError)
{
    EXPECT_THAT(
        [] {
            try {
                (void)diary->verifyKeyCheck("\x89" "DVM\x01short");
            } catch (const EngineError& error) {
                return std::string(error.what());
            }
            return std::string();
        }(),
        HasSubstr("password check value is truncated"));
    EXPECT_THROW((void)diary->verifyKeyCheck(""), EngineError);
}

TEST(MemoCipherDerive, SaltOfTheWrongSizeIsRefused)
{
    EXPECT_THROW((void)MemoCipher::derive("pw", "short"), EngineError);
    EXPECT_THROW((void)MemoCipher::derive("pw", std::string(17, 'x')), EngineError);
}

TEST(MemoCipherDerive, SaltsAreRandom)
{
    const std::string first = MemoCipher::makeSalt();
    EXPECT_EQ(first.size(), MemoCipher::kSaltSize);
    EXPECT_NE(first, MemoCipher::makeSalt());
}

}  // namespace
