// SPDX-License-Identifier: MIT
// The token reader: whitespace-separated tokens, prefixed-base integers and clamped reals over text in
// memory, and the bounded whole-file read every text loader starts with.
#include "level/token_reader.h"

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <utility>

namespace {

constexpr size_t MaxIntegerChars = 15;
constexpr size_t MaxRealChars = 19;

bool isDecimalDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Value of c as a digit in base 8, 10 or 16, or -1.
int digitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Brings a parsed double into the float range the way the data files expect: saturate instead of
// becoming infinite, and never produce a denormal or a zero from a non-zero number.
float clampToFloat(double value)
{
    if (value > FLT_MAX)
        return FLT_MAX;
    if (value < -FLT_MAX)
        return -FLT_MAX;
    if (value != 0.0 && std::fabs(value) < FLT_MIN)
        return value < 0.0 ? -FLT_MIN : FLT_MIN;
    return static_cast<float>(value);
}

} // namespace

bool isTextSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool TokenReader::startItem()
{
    // Like a stream's sentry: once failed or at the end, every read fails.
    if (failed_ || endReached_)
        return fail();
    while (!atEnd() && isTextSpace(peek())) {
        if (peek() == '\n')
            ++currentLine_;
        ++pos_;
    }
    if (atEnd()) {
        endReached_ = true;
        return fail();
    }
    // Items hold no whitespace, so the line an item starts on is the line it lies on.
    itemLine_ = currentLine_;
    return true;
}

bool TokenReader::onlyWhitespaceLeft() const
{
    for (size_t i = pos_; i < text_.size(); ++i) {
        if (!isTextSpace(text_[i]))
            return false;
    }
    return true;
}

bool TokenReader::readToken(std::string& out)
{
    if (!startItem())
        return false;
    size_t start = pos_;
    while (!atEnd() && !isTextSpace(peek()))
        ++pos_;
    noteEndIfAtEnd();
    out.assign(text_.substr(start, pos_ - start));
    return true;
}

bool TokenReader::readChar(char& out)
{
    if (!startItem())
        return false;
    out = peek();
    ++pos_;
    return true;
}

bool TokenReader::scanInteger(uint64_t& magnitude, bool& negative)
{
    size_t start = pos_;
    negative = false;
    if (peek() == '+' || peek() == '-') {
        negative = peek() == '-';
        ++pos_;
    }
    int base = 10;
    bool sawDigit = false;
    if (!atEnd() && peek() == '0') {
        ++pos_;
        sawDigit = true;
        base = 8;
        // "0x" is a prefix, not a number: digits must follow it.
        if (!atEnd() && (peek() == 'x' || peek() == 'X')) {
            ++pos_;
            sawDigit = false;
            base = 16;
        }
    }
    uint64_t value = 0;
    while (!atEnd()) {
        int digit = digitValue(peek());
        if (digit < 0 || digit >= base)
            break;
        ++pos_;
        sawDigit = true;
        // Past the length limit the number fails anyway; stop accumulating so nothing overflows.
        if (pos_ - start <= MaxIntegerChars)
            value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
    }
    noteEndIfAtEnd();
    if (!sawDigit || pos_ - start > MaxIntegerChars)
        return fail();
    magnitude = value;
    return true;
}

// The shared integer read. The largest magnitude Int holds with the number's sign bounds it: past it
// the nearest limit is stored. An unsigned Int holds up to its maximum either way, and a minus sign
// negates modulo 2^32; a signed one holds up to its maximum plus one when negative.
template <typename Int> bool TokenReader::readInteger(Int& out)
{
    if (!startItem())
        return false;
    uint64_t magnitude = 0;
    bool negative = false;
    if (!scanInteger(magnitude, negative)) {
        out = 0;
        return false;
    }
    using Limits = std::numeric_limits<Int>;
    const bool belowZero = negative && Limits::is_signed;
    const uint64_t largest = static_cast<uint64_t>(Limits::max()) + (belowZero ? 1u : 0u);
    if (magnitude > largest) {
        out = belowZero ? Limits::min() : Limits::max();
        return fail();
    }
    const uint32_t bits = static_cast<uint32_t>(magnitude);
    out = static_cast<Int>(negative ? 0u - bits : bits);
    return true;
}

bool TokenReader::readInt(int32_t& out)
{
    return readInteger(out);
}

bool TokenReader::readUnsigned(uint32_t& out)
{
    return readInteger(out);
}

bool TokenReader::readReal(float& out)
{
    if (!startItem())
        return false;
    size_t start = pos_;
    bool negative = false;
    if (peek() == '+' || peek() == '-') {
        negative = peek() == '-';
        ++pos_;
    }
    size_t numberStart = pos_; // the number is read without its sign, which is applied here
    size_t mantissaDigits = 0;
    bool mantissaZero = true;
    auto scanDigits = [&] {
        while (!atEnd() && isDecimalDigit(peek())) {
            mantissaZero = mantissaZero && peek() == '0';
            ++pos_;
            ++mantissaDigits;
        }
    };
    scanDigits();
    if (!atEnd() && peek() == '.') {
        ++pos_;
        scanDigits();
    }
    bool exponentNegative = false;
    bool exponentComplete = true;
    if (mantissaDigits > 0 && !atEnd() && (peek() == 'e' || peek() == 'E')) {
        ++pos_;
        if (!atEnd() && (peek() == '+' || peek() == '-')) {
            exponentNegative = peek() == '-';
            ++pos_;
        }
        size_t exponentDigits = 0;
        while (!atEnd() && isDecimalDigit(peek())) {
            ++pos_;
            ++exponentDigits;
        }
        exponentComplete = exponentDigits > 0;
    }
    noteEndIfAtEnd();
    if (mantissaDigits == 0 || !exponentComplete || pos_ - start > MaxRealChars) {
        out = 0.0f;
        return fail();
    }

    if (mantissaZero) {
        out = negative ? -0.0f : 0.0f;
        return true;
    }
    // strtod on a terminated copy (the number is at most MaxRealChars long): every C library the game
    // is built with rounds it correctly, and the game never leaves the "C" locale.
    char number[MaxRealChars + 1] = {};
    size_t length = pos_ - numberStart;
    text_.copy(number, length, numberStart);
    char* parsedEnd = nullptr;
    errno = 0;
    double magnitude = std::strtod(number, &parsedEnd);
    if (errno == ERANGE) {
        // Only a huge exponent leaves the double range: its sign says which way.
        magnitude = exponentNegative ? static_cast<double>(FLT_MIN) / 2.0 : static_cast<double>(FLT_MAX) * 2.0;
    } else if (parsedEnd != number + length) {
        out = 0.0f;
        return fail();
    }
    out = clampToFloat(negative ? -magnitude : magnitude);
    return true;
}

bool readTextFile(const std::string& fileName, std::string& text, size_t maxBytes)
{
    std::FILE* file = std::fopen(fileName.c_str(), "rb");
    if (!file)
        return false;
    std::string content;
    char chunk[65536];
    bool ok = true;
    for (;;) {
        size_t got = std::fread(chunk, 1, sizeof chunk, file);
        if (got > maxBytes - content.size()) {
            ok = false;
            break;
        }
        content.append(chunk, got);
        if (got < sizeof chunk) {
            ok = !std::ferror(file);
            break;
        }
    }
    if (std::fclose(file) != 0)
        ok = false;
    if (!ok)
        return false;
    text = std::move(content);
    return true;
}

void splitWords(std::string_view line, std::vector<std::string_view>& words)
{
    words.clear();
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isTextSpace(line[i]))
            ++i;
        size_t start = i;
        while (i < line.size() && !isTextSpace(line[i]))
            ++i;
        if (i > start)
            words.push_back(line.substr(start, i - start));
    }
}

std::string exactFloatText(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
    return text;
}

bool parseFloatWord(std::string_view word, float& out)
{
    // strtof needs a terminated string; no float's %.9g form is anywhere near this long.
    char text[48];
    if (word.empty() || word.size() >= sizeof text)
        return false;
    word.copy(text, word.size());
    text[word.size()] = '\0';
    char* end = nullptr;
    errno = 0;
    float value = std::strtof(text, &end);
    if (end != text + word.size() || errno == ERANGE || !std::isfinite(value))
        return false;
    out = value;
    return true;
}

bool isPrintableWord(std::string_view word)
{
    for (char c : word) {
        if (c <= ' ' || c > '~')
            return false;
    }
    return !word.empty();
}

bool isSha256Hex(std::string_view word)
{
    if (word.size() != 64)
        return false;
    for (char c : word) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    }
    return true;
}

bool nextLine(std::string_view text, size_t& start, std::string_view& line)
{
    if (start >= text.size())
        return false;
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos)
        end = text.size();
    line = text.substr(start, end - start);
    start = end + 1;
    return true;
}
