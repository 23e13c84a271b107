// Why a recording cannot be converted or measured, in words a user can act on.
#pragma once

#include <stdexcept>
#include <string>

namespace korvane {

class ConversionRefused : public std::runtime_error {
public:
    explicit ConversionRefused(const std::string& why) : std::runtime_error(why) {}
};

} // namespace korvane
