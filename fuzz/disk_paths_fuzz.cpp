// Any Windows path (optionally after "current folder\n"), resolved over a fixed drive tree.
#include "require.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static korvane::test::PathCheck check;
    korvane::fuzz::Require(check.check(korvane::fuzz::Text(data, size)));
    return 0;
}
