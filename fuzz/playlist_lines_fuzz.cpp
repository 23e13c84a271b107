// Any bytes as a playlist file, read by ReadPlaylistLines and written back by the writer.
#include "require.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static korvane::test::PlaylistReadCheck check;
    korvane::fuzz::Require(check.check(korvane::fuzz::Text(data, size)));
    return 0;
}
