// The device's 100 MB: the running total of the listed sound files and the free-space line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace korvane {

class Form1;

inline constexpr std::int32_t kCapacityBytes = 104857600; // 100 x 1048576
inline constexpr std::string_view kFreeSpaceLabel = " Free Space : ";
inline constexpr std::string_view kFreeSpaceDuplicateLabel = " Free Spacex : ";
inline constexpr std::string_view kFullCapacityText = " Free Space : 100MB";

// Megabytes rounded to two decimals (ties to even) in their shortest form, with the
// locale's decimal separator: 100, 87.6, 12.35.
std::string FormatMegabytes(double megabytes);

// Adds the length of every file File2 lists to UsedBytes.
void SumListedFileBytes(Form1& f);
// Computes FreeMegabytes and shows label & number & "MB" in Label4.
void ShowFreeSpace(Form1& f, std::string_view label);
// The guarded display: only with a slot chosen and a folder confirmed; counts lazily.
void RefreshFreeSpace(Form1& f);

} // namespace korvane
