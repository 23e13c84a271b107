// Any bytes as the content of a call: its length and format, or that it is no MP3 audio.
#include "require.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    korvane::fuzz::Require(korvane::test::CheckCallInfo(korvane::fuzz::Text(data, size)));
    return 0;
}
