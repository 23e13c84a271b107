#include "lexer.h"

#include "script_error.h"
#include "sys/ascii.h"

namespace korvane::replay {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

} // namespace

std::string Unescape(std::string_view text)
{
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            bytes += text[i];
            continue;
        }
        if (i + 1 == text.size())
            throw ScriptError("a backslash ends the text; write \\\\ for one");
        const char kind = text[++i];
        switch (kind) {
        case 'r':
            bytes += '\r';
            break;
        case 'n':
            bytes += '\n';
            break;
        case 't':
            bytes += '\t';
            break;
        case '\\':
        case '"':
            bytes += kind;
            break;
        case 'x': {
            const int high = i + 1 < text.size() ? HexDigitValue(text[i + 1]) : -1;
            const int low = i + 2 < text.size() ? HexDigitValue(text[i + 2]) : -1;
            if (high < 0 || low < 0)
                throw ScriptError("\\x needs two hex digits");
            bytes += static_cast<char>(high * 16 + low);
            i += 2;
            break;
        }
        default:
            throw ScriptError(std::string("unknown escape \\") + kind);
        }
    }
    return bytes;
}

void Lexer::skipBlanks()
{
    while (pos_ < line_.size() && isBlank(line_[pos_]))
        ++pos_;
}

bool Lexer::atEnd()
{
    skipBlanks();
    return pos_ >= line_.size();
}

std::string_view Lexer::rest()
{
    skipBlanks();
    std::string_view rest = line_.substr(pos_);
    while (!rest.empty() && isBlank(rest.back()))
        rest.remove_suffix(1);
    return rest;
}

Word Lexer::next(bool escapes)
{
    skipBlanks();
    const std::size_t start = pos_;
    Word word;
    if (pos_ < line_.size() && line_[pos_] == '"') {
        ++pos_;
        const std::size_t open = pos_;
        // With escapes a \" does not close the word.
        while (pos_ < line_.size() && line_[pos_] != '"')
            pos_ += (escapes && line_[pos_] == '\\') ? 2 : 1;
        if (pos_ >= line_.size())
            throw ScriptError("a quote is not closed");
        const std::string_view inside = line_.substr(open, pos_ - open);
        ++pos_;
        if (pos_ < line_.size() && !isBlank(line_[pos_]))
            throw ScriptError("a closing quote must end its word");
        word.text = escapes ? Unescape(inside) : std::string(inside);
        word.quoted = true;
    } else {
        while (pos_ < line_.size() && !isBlank(line_[pos_]))
            ++pos_;
        const std::string_view plain = line_.substr(start, pos_ - start);
        word.text = escapes ? Unescape(plain) : std::string(plain);
    }
    word.source = std::string(line_.substr(start, pos_ - start));
    return word;
}

} // namespace korvane::replay
