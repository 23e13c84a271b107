// Any bytes (optionally "pattern\nname") through lower-casing, the code page and wildcards.
#include "require.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    korvane::fuzz::Require(korvane::test::CheckText(korvane::fuzz::Text(data, size)));
    return 0;
}
