// SPDX-License-Identifier: MIT
// The token reader shared by every text data file (maplist.dat, map files, font.dat, highScore.dat):
// whitespace-separated tokens and numbers, with the sticky failure and end-of-text flags the loaders test.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Reads items from text in memory, the way a formatted text stream extracts them:
// - every read first skips whitespace (space, tab, line feed, vertical tab, form feed, carriage return);
// - a read that finds nothing, or a number it cannot take, puts the reader in the failed state, and every
//   later read then fails at once without touching its target;
// - endReached() tells whether a read ran into the end of the text, which is how the loaders know that
//   the item just read was the file's last one.
// Integers take their base from the prefix ("0x"/"0X" hexadecimal, a leading "0" octal, else decimal) and
// may carry a sign; they are at most 15 characters long. Reals are decimal with an optional exponent, at
// most 19 characters, with at least one mantissa digit, and are clamped into the float range.
class TokenReader {
public:
    // The reader keeps a view of text, which must outlive it.
    explicit TokenReader(std::string_view text) : text_(text) { }

    // The next run of non-whitespace characters. No token left: fails and stores nothing.
    bool readToken(std::string& out);
    // The next non-whitespace character. None left: fails and stores nothing.
    bool readChar(char& out);

    // Signed 32-bit integer. No digits or too long: stores 0 and fails. Out of range: stores the nearest
    // limit and fails. Nothing left to read: stores nothing and fails.
    bool readInt(int32_t& out);
    // Unsigned 32-bit integer; a minus sign negates modulo 2^32. No digits or too long: stores 0 and fails.
    // A magnitude above 0xFFFFFFFF: stores 0xFFFFFFFF and fails. Nothing left: stores nothing and fails.
    bool readUnsigned(uint32_t& out);
    // Real as a float. Beyond the float range: the largest float of that sign. Non-zero but smaller than
    // the smallest normal float: the smallest normal float of that sign. Malformed or too long: stores 0
    // and fails. Nothing left: stores nothing and fails.
    bool readReal(float& out);

    bool failed() const { return failed_; }
    // The 1-based line on which the latest read's item began (0 before any read found one), counting
    // line feeds; for tools that name the line of what they read.
    int line() const { return itemLine_; }
    // A read has run into the end of the text.
    bool endReached() const { return endReached_; }
    // Nothing but whitespace is left (reads nothing, changes no flag).
    bool onlyWhitespaceLeft() const;

private:
    // Skips whitespace; false (and the flags set) when the reader has failed or the text has ended.
    bool startItem();
    // Scans an integer's characters; returns false after setting the flags when it has no digits or is
    // too long. On success magnitude and negative describe the value.
    bool scanInteger(uint64_t& magnitude, bool& negative);
    // readInt and readUnsigned: an integer item brought into Int's range.
    template <typename Int> bool readInteger(Int& out);
    bool atEnd() const { return pos_ >= text_.size(); }
    char peek() const { return text_[pos_]; }
    // A scanner that stopped because the text ended marks the end, as a stream sets its end flag when
    // it looks for one more character and finds none.
    void noteEndIfAtEnd()
    {
        if (atEnd())
            endReached_ = true;
    }
    bool fail()
    {
        failed_ = true;
        return false;
    }

    std::string_view text_;
    size_t pos_ = 0;
    int currentLine_ = 1;
    int itemLine_ = 0;
    bool failed_ = false;
    bool endReached_ = false;
};

// True for the whitespace characters that separate items.
bool isTextSpace(char c);

// Splits a line on those characters; the line formats (tick lines, replay headers) need no quoting.
void splitWords(std::string_view line, std::vector<std::string_view>& words);

// Takes the line of `text` that begins at `start` (without its '\n') and moves `start` past it; false
// when no line is left.
bool nextLine(std::string_view text, size_t& start, std::string_view& line);

// A float as %.9g writes it: nine significant digits, which read back as the same float.
std::string exactFloatText(float value);
// A whole word as a finite float, read back exactly from the %.9g form; false for anything else.
bool parseFloatWord(std::string_view word, float& out);

// A non-empty word of printable ASCII without spaces, as the line formats' names are.
bool isPrintableWord(std::string_view word);

// 64 lower-case hex digits: a SHA-256 as the replay and record files write it.
bool isSha256Hex(std::string_view word);

// Reads a whole file into text. False when it cannot be opened or read, or holds more than maxBytes
// (data files are small; a bound keeps a hostile file from exhausting memory).
constexpr size_t MaxTextFileBytes = 8u * 1024u * 1024u;
bool readTextFile(const std::string& fileName, std::string& text, size_t maxBytes = MaxTextFileBytes);
