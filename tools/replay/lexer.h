// Splits one script line into words: blanks separate them, double quotes keep blanks inside
// one word. Backslashes are ordinary characters except in the words that take escapes.
#pragma once

#include <string>
#include <string_view>

namespace korvane::replay {

struct Word {
    std::string text; // the word's value, quotes removed and escapes applied
    bool quoted = false;
    std::string source; // the word as written in the script
};

class Lexer {
public:
    explicit Lexer(std::string_view line) : line_(line) {}

    bool atEnd();
    // The next word; with escapes, \r \n \t \\ \" and \xHH stand for their bytes.
    Word next(bool escapes);
    // What is left of the line, from the next word on.
    std::string_view rest();

private:
    void skipBlanks();

    std::string_view line_;
    std::size_t pos_ = 0;
};

// Applies the escapes of text (without its quotes).
std::string Unescape(std::string_view text);

} // namespace korvane::replay
