#include "device/capacity.h"

#include "app/form1.h"

#include <clocale>
#include <cmath>
#include <cstdlib>

namespace korvane {

std::string FormatMegabytes(double megabytes)
{
    // nearbyint rounds halves to even in the default rounding mode.
    const long long cents = std::llround(std::nearbyint(megabytes * 100.0));
    const long long whole = std::llabs(cents) / 100;
    long long fraction = std::llabs(cents) % 100;
    std::string text = (cents < 0 ? "-" : "") + std::to_string(whole);
    if (fraction != 0) {
        const char* point = std::localeconv()->decimal_point;
        text += (point && *point) ? point : ".";
        text += static_cast<char>('0' + fraction / 10);
        if (fraction % 10 != 0)
            text += static_cast<char>('0' + fraction % 10);
    }
    return text;
}

void SumListedFileBytes(Form1& f)
{
    for (int index = 0; index < f.File2.ListCount(); ++index) {
        f.FileIndex = static_cast<std::int16_t>(index);
        f.FileBytes = f.disk.FileLen(f.File2.Path() + "\\" + f.File2.List(index));
        f.UsedBytes += f.FileBytes;
    }
}

void ShowFreeSpace(Form1& f, std::string_view label)
{
    f.FreeMegabytes = static_cast<double>(f.CapacityBytes - f.UsedBytes) / 1048576.0;
    f.Label4.setCaption(std::string(label) + FormatMegabytes(f.FreeMegabytes) + "MB");
}

void RefreshFreeSpace(Form1& f)
{
    const int slot = f.Combo1.ListIndex();
    if (!(slot > -1 && slot < 10 && f.FolderConfirmed == 1))
        return;
    if (f.UsedBytes == 0)
        SumListedFileBytes(f);
    if (f.UsedBytes <= f.CapacityBytes)
        ShowFreeSpace(f, kFreeSpaceLabel);
}

} // namespace korvane
