// Ends the fuzz run at the first input that breaks a property, so libFuzzer keeps that input.
#pragma once

#include "support/fuzz_checks.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace korvane::fuzz {

inline void Require(const test::Violations& broken)
{
    if (broken.empty())
        return;
    for (const std::string& what : broken)
        std::fprintf(stderr, "broken: %s\n", what.c_str());
    std::abort();
}

inline std::string_view Text(const std::uint8_t* data, std::size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

} // namespace korvane::fuzz
