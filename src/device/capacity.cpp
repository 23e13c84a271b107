#include "device/capacity.h"

#include "device/layout.h"
#include "form/form1.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace korvane {

std::string FormatMegabytes(double megabytes)
{
    // nearbyint rounds halves to even in the default rounding mode.
    const long long cents = std::llround(std::nearbyint(megabytes * 100.0));
    const long long whole = std::llabs(cents) / 100;
    const long long fraction = std::llabs(cents) % 100;
    const char* point = std::localeconv()->decimal_point;
    if (!point || !*point)
        point = ".";
    char text[64];
    if (fraction == 0)
        std::snprintf(text, sizeof text, "%s%lld", cents < 0 ? "-" : "", whole);
    else if (fraction % 10 == 0)
        std::snprintf(text, sizeof text, "%s%lld%s%lld", cents < 0 ? "-" : "", whole, point,
                      fraction / 10);
    else
        std::snprintf(text, sizeof text, "%s%lld%s%02lld", cents < 0 ? "-" : "", whole, point,
                      fraction);
    return text;
}

void SumListedFileBytes(Form1& f)
{
    // One measurement of the folder rather than a look-up of each file on its own: a large
    // sound folder would be read again for every file.
    f.disk.MeasureFiles(f.File2.Path(), f.File2.names(),
                        [&f](std::size_t index, std::int64_t bytes) {
                            f.FileIndex = static_cast<std::int16_t>(index);
                            f.FileBytes = bytes;
                            f.UsedBytes += f.FileBytes;
                        });
}

void ShowFreeSpace(Form1& f, std::string_view label)
{
    f.FreeMegabytes = static_cast<double>(f.CapacityBytes - f.UsedBytes) / 1048576.0;
    f.Label4.setCaption(std::string(label) + FormatMegabytes(f.FreeMegabytes) + "MB");
}

void RefreshFreeSpace(Form1& f)
{
    const int slot = f.Combo1.ListIndex();
    if (!(IsPlaylistSlot(slot) && f.FolderConfirmed == kFolderConfirmed))
        return;
    if (f.UsedBytes == 0)
        SumListedFileBytes(f);
    if (f.UsedBytes <= f.CapacityBytes)
        ShowFreeSpace(f, kFreeSpaceLabel);
}

} // namespace korvane
