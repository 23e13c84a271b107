// Loading a long playlist against a large sound folder: 32,767 lines, 10,000 sound files.
#include "support/window_harness.h"

#include "playlist/loading.h"

#include <benchmark/benchmark.h>

namespace korvane::test {
namespace {

void BM_LoadLongPlaylist(benchmark::State& state)
{
    WindowHarness w;
    const int files = static_cast<int>(state.range(0));
    for (int i = 0; i < files; ++i)
        w.drives.writeFile("d:\\big\\Tarvo_Calls\\call" + std::to_string(i) + ".mp3", "");
    std::string playlist;
    for (int line = 0; line < 32767; ++line)
        playlist += (line ? "\r\n" : "") + std::string("call") +
                    std::to_string(line * 7 % (files + 50)) + ".mp3";
    w.drives.writeFile("d:\\big\\Tarvo_Calls\\1.txt", playlist);
    w.drives.makeFolder("d:\\kit");
    Form1& f = w.start("d:\\big");
    f.File2.setPattern("*.mp3");
    f.File2.setPath("d:\\big\\Tarvo_Calls");
    for (auto _ : state) {
        f.Combo1.setListIndex(1);
        benchmark::DoNotOptimize(f.List1.ListCount());
    }
    state.counters["rows"] = f.List1.ListCount();
}
BENCHMARK(BM_LoadLongPlaylist)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ListSoundFolder(benchmark::State& state)
{
    WindowHarness w;
    for (int i = 0; i < 10000; ++i)
        w.drives.writeFile("d:\\big\\Tarvo_Calls\\Call" + std::to_string(i) + ".mp3", "");
    Disk& disk = w.disk;
    for (auto _ : state)
        benchmark::DoNotOptimize(disk.ListFiles("d:\\big\\Tarvo_Calls", "*.mp3"));
}
BENCHMARK(BM_ListSoundFolder)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace korvane::test
