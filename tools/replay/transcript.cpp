#include "transcript.h"

#include <charconv>

namespace korvane::replay {

std::string Quoted(std::string_view text)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"') {
            out += "\\\"";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (byte < 0x20) {
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        } else {
            out += c;
        }
    }
    out += '"';
    return out;
}

std::string QuotedList(const std::vector<std::string>& items)
{
    if (items.empty())
        return "[ ]";
    std::string out = "[ ";
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            out += ", ";
        out += Quoted(items[i]);
    }
    return out + " ]";
}

namespace {
template <typename Number> std::string shortest(Number value)
{
    char buffer[400]; // room for any double in fixed notation
    // Fixed notation without a precision is the shortest round trip, never an exponent.
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}
} // namespace

std::string ShortestNumber(double value)
{
    return shortest(value);
}

std::string ShortestNumber(float value)
{
    return shortest(value);
}

std::string Flag(bool value)
{
    return value ? "1" : "0";
}

void Transcript::line(std::string_view text)
{
    out_ << text << '\n';
    out_.flush();
}

} // namespace korvane::replay
