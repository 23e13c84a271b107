// Any KORVANE_DRIVES text (optionally with "\nhost path"), parsed and used to map back.
#include "require.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    korvane::fuzz::Require(korvane::test::CheckDriveMap(korvane::fuzz::Text(data, size)));
    return 0;
}
