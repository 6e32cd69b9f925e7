// SPDX-License-Identifier: MIT
// The shared token reader: number syntax (prefixed bases, limits, clamping), the sticky failure and the
// end-of-text flag the loaders depend on, and the bounded whole-file read.
#include <gtest/gtest.h>

#include <cfloat>
#include <cstdint>
#include <limits>
#include <string>

#include "level/file_fixture.h"
#include "level/token_reader.h"

namespace {

struct IntCase {
    const char* text;
    bool ok;
    int32_t value;
    bool reachesEnd;
};

TEST(TokenReader, SignedIntegersTakeTheirBaseFromThePrefix)
{
    const int32_t untouched = 12345;
    const IntCase cases[] = {
        {"16", true, 16, true},
        {"010", true, 8, true}, // a leading zero is octal
        {"0x10", true, 16, true},
        {"0X1f", true, 31, true},
        {"-0x10", true, -16, true},
        {"+7 ", true, 7, false},
        {"0", true, 0, true},
        {"08", true, 0, false}, // 8 is no octal digit: the number stops before it
        {"12abc", true, 12, false},
        {"2147483647", true, std::numeric_limits<int32_t>::max(), true},
        {"-2147483648", true, std::numeric_limits<int32_t>::min(), true},
        {"2147483648", false, std::numeric_limits<int32_t>::max(), true},
        {"-2147483649", false, std::numeric_limits<int32_t>::min(), true},
        {"123456789012345", false, std::numeric_limits<int32_t>::max(), true}, // 15 characters, too big
        {"0000000000000001", false, 0, true}, // 16 characters: too long whatever the value
        {"0x", false, 0, true},               // a prefix with no digits
        {"-", false, 0, true},
        {"abc", false, 0, false},
        {"", false, untouched, true}, // nothing to read stores nothing
        {" \n\t ", false, untouched, true},
    };
    for (const IntCase& c : cases) {
        TokenReader reader(c.text);
        int32_t value = untouched;
        EXPECT_EQ(reader.readInt(value), c.ok) << "reading \"" << c.text << "\"";
        EXPECT_EQ(value, c.value) << "value stored for \"" << c.text << "\"";
        EXPECT_EQ(reader.failed(), !c.ok) << "failed flag for \"" << c.text << "\"";
        EXPECT_EQ(reader.endReached(), c.reachesEnd) << "end flag for \"" << c.text << "\"";
    }
}

TEST(TokenReader, UnsignedIntegersSaturateWhenOutOfRange)
{
    const struct {
        const char* text;
        bool ok;
        uint32_t value;
    } cases[] = {
        {"0x8090a0", true, 0x8090a0u},       {"0xFFFFFFFF", true, 0xFFFFFFFFu},  {"4294967295", true, 0xFFFFFFFFu},
        {"-1", true, 0xFFFFFFFFu}, // a minus sign negates modulo 2^32, as stream extraction does
        {"0x100000000", false, 0xFFFFFFFFu}, {"4294967296", false, 0xFFFFFFFFu}, {"zz", false, 0u},
    };
    for (const auto& c : cases) {
        TokenReader reader(c.text);
        uint32_t value = 77;
        EXPECT_EQ(reader.readUnsigned(value), c.ok) << "reading \"" << c.text << "\"";
        EXPECT_EQ(value, c.value) << "value stored for \"" << c.text << "\"";
    }
}

TEST(TokenReader, RealsAreDecimalAndClampedIntoTheFloatRange)
{
    const float untouched = 42.0f;
    const struct {
        const char* text;
        bool ok;
        float value;
    } cases[] = {
        {"1.5", true, 1.5f},
        {"-2.25e2", true, -225.0f},
        {"+3E-1", true, 0.3f},
        {".5", true, 0.5f},
        {"5.", true, 5.0f},
        {"-3000", true, -3000.0f},
        {"3.4e38", true, 3.4e38f},
        {"1e39", true, FLT_MAX}, // beyond the range: the largest float of that sign
        {"-1e39", true, -FLT_MAX},
        {"1e999", true, FLT_MAX},
        {"1e-39", true, FLT_MIN}, // below the smallest normal: that normal
        {"-1e-45", true, -FLT_MIN},
        {"1e-999", true, FLT_MIN},
        {"0e-999", true, 0.0f}, // zero stays zero
        {"0.000", true, 0.0f},
        {"1234567890123456789", true, 1234567890123456789.0f}, // 19 characters
        {"12345678901234567890", false, 0.0f},                 // 20
        {"0x10", true, 0.0f},                                  // reals are decimal: the x ends the number
        {"1e", false, 0.0f},
        {"1e+", false, 0.0f},
        {".", false, 0.0f},
        {"e5", false, 0.0f},
        {"+-1", false, 0.0f},
        {"inf", false, 0.0f},
        {"nan", false, 0.0f},
        {"", false, untouched},
    };
    for (const auto& c : cases) {
        TokenReader reader(c.text);
        float value = untouched;
        EXPECT_EQ(reader.readReal(value), c.ok) << "reading \"" << c.text << "\"";
        EXPECT_EQ(value, c.value) << "value stored for \"" << c.text << "\"";
    }
}

TEST(TokenReader, TheNumberEndsWhereItsSyntaxDoes)
{
    TokenReader reader("08 1.2.3 7e5x");
    int32_t octal = -1;
    std::string token;
    float real = 0.0f;
    ASSERT_TRUE(reader.readInt(octal));
    EXPECT_EQ(octal, 0);
    ASSERT_TRUE(reader.readToken(token));
    EXPECT_EQ(token, "8") << "the digit octal cannot take is the next token";
    ASSERT_TRUE(reader.readReal(real));
    EXPECT_FLOAT_EQ(real, 1.2f);
    ASSERT_TRUE(reader.readReal(real));
    EXPECT_FLOAT_EQ(real, 0.3f) << "a second decimal point starts the next number";
    ASSERT_TRUE(reader.readReal(real));
    EXPECT_FLOAT_EQ(real, 7e5f);
    ASSERT_TRUE(reader.readToken(token));
    EXPECT_EQ(token, "x");
    EXPECT_TRUE(reader.endReached());
}

TEST(TokenReader, AFailedReadFailsEveryLaterRead)
{
    TokenReader reader("zz 12 more");
    int32_t value = 0;
    EXPECT_FALSE(reader.readInt(value));
    std::string token = "before";
    char c = '?';
    float real = 9.0f;
    EXPECT_FALSE(reader.readToken(token)) << "text remains, but the reader has failed";
    EXPECT_EQ(token, "before");
    EXPECT_FALSE(reader.readChar(c));
    EXPECT_EQ(c, '?');
    EXPECT_FALSE(reader.readReal(real));
    EXPECT_EQ(real, 9.0f) << "a read after the failure must store nothing";
    EXPECT_FALSE(reader.endReached());
}

TEST(TokenReader, TheEndFlagTellsWhetherTheLastItemRanIntoTheEnd)
{
    const struct {
        const char* text;
        bool reachesEnd;
        const char* why;
    } cases[] = {
        {".end", true, "a token that is the last thing in the text"},
        {".end\n", false, "a token followed by a line break"},
        {"  word", true, "leading whitespace does not matter"},
    };
    for (const auto& c : cases) {
        TokenReader reader(c.text);
        std::string token;
        ASSERT_TRUE(reader.readToken(token)) << c.why;
        EXPECT_EQ(reader.endReached(), c.reachesEnd) << c.why;
        EXPECT_EQ(reader.onlyWhitespaceLeft(), true) << c.why;
    }

    // A single character is taken without looking past it.
    TokenReader chars("!");
    char c = 0;
    ASSERT_TRUE(chars.readChar(c));
    EXPECT_EQ(c, '!');
    EXPECT_FALSE(chars.endReached());
    EXPECT_FALSE(chars.readChar(c)) << "nothing is left";
    EXPECT_TRUE(chars.endReached());

    // Once the end was reached, even a successful-looking read fails, as with a stream.
    TokenReader ended("a");
    std::string token;
    ASSERT_TRUE(ended.readToken(token));
    EXPECT_FALSE(ended.readToken(token));
    EXPECT_TRUE(ended.failed());
}

TEST(TokenReader, TokensAreWholeRunsOfNonWhitespaceOfAnyLength)
{
    std::string longName(1000, 'n');
    std::string text = "\v\fa\tb\r\n" + longName + " fogcolor=0x8090a0";
    TokenReader reader(text);
    std::string token;
    ASSERT_TRUE(reader.readToken(token));
    EXPECT_EQ(token, "a");
    ASSERT_TRUE(reader.readToken(token));
    EXPECT_EQ(token, "b");
    ASSERT_TRUE(reader.readToken(token));
    EXPECT_EQ(token, longName) << "tokens are not cut at 255 characters";
    ASSERT_TRUE(reader.readToken(token));
    EXPECT_EQ(token, "fogcolor=0x8090a0");
}

TEST(TokenReader, NamesTheLineEachItemStartsOn)
{
    // Carriage returns and form feeds do not start lines; only line feeds do.
    TokenReader reader("\n\nholecount= 2\r\n.data\n\n  0x1f\f-3e2\n\n");
    EXPECT_EQ(reader.line(), 0) << "before any read";
    std::string token;
    int32_t count = 0;
    uint32_t colour = 0;
    float real = 0.0f;
    ASSERT_TRUE(reader.readToken(token));
    EXPECT_EQ(reader.line(), 3);
    ASSERT_TRUE(reader.readInt(count));
    EXPECT_EQ(reader.line(), 3);
    ASSERT_TRUE(reader.readToken(token));
    EXPECT_EQ(reader.line(), 4) << token;
    ASSERT_TRUE(reader.readUnsigned(colour));
    EXPECT_EQ(reader.line(), 6);
    ASSERT_TRUE(reader.readReal(real));
    EXPECT_EQ(reader.line(), 6);
    EXPECT_EQ(real, -300.0f);
    EXPECT_FALSE(reader.readToken(token)) << "only whitespace is left";
    EXPECT_EQ(reader.line(), 6) << "a read that finds nothing keeps the line of the last item";
}

TEST(ExactFloatText, WritesNineDigitsThatReadBackAsTheSameFloat)
{
    EXPECT_EQ(exactFloatText(0.1f), "0.100000001");
    EXPECT_EQ(exactFloatText(40.0f), "40");
    EXPECT_EQ(exactFloatText(-0.0f), "-0");
    EXPECT_EQ(exactFloatText(FLT_MAX), "3.40282347e+38");
    for (float value : {0.1f, 1.0f / 3.0f, -123.456f, FLT_MIN, FLT_MAX, 16777217.0f}) {
        float back = 0.0f;
        ASSERT_TRUE(parseFloatWord(exactFloatText(value), back)) << exactFloatText(value);
        EXPECT_EQ(back, value) << exactFloatText(value);
    }
}

TEST(TextFile, IsReadWholeWithinItsBound)
{
    TempFolder folder;
    std::string content("3\nlevel1.map\0binary\xff", 20);
    writeFile("plain.txt", content);
    std::string text;
    ASSERT_TRUE(readTextFile("plain.txt", text));
    EXPECT_EQ(text, content);

    writeFile("big.txt", std::string(100, 'x'));
    EXPECT_TRUE(readTextFile("big.txt", text, 100)) << "a file exactly at the bound is read";
    EXPECT_FALSE(readTextFile("big.txt", text, 99)) << "a file over the bound is refused";

    text = "kept";
    EXPECT_FALSE(readTextFile("missing.txt", text));
    std::filesystem::create_directory("folder.txt");
    EXPECT_FALSE(readTextFile("folder.txt", text)) << "a directory is no text file";
    EXPECT_EQ(text, "kept") << "a failed read must leave the text alone";
}

} // namespace
