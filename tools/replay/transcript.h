// The transcript on standard output and the way values are written in it.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace korvane::replay {

// Between double quotes: a backslash stands as itself, '"' becomes \", CR, LF and TAB become
// \r \n \t, every other byte below 0x20 \xHH.
std::string Quoted(std::string_view text);
// [ ] when empty, else [ "a", "b" ].
std::string QuotedList(const std::vector<std::string>& items);
// The shortest text that reads back as the same number: 90, 87.6.
std::string ShortestNumber(double value);
std::string ShortestNumber(float value);
std::string Flag(bool value);

class Transcript {
public:
    explicit Transcript(std::ostream& out) : out_(out) {}
    // Flushed at once, so a run that dies still shows how far it came.
    void line(std::string_view text);

private:
    std::ostream& out_;
};

} // namespace korvane::replay
