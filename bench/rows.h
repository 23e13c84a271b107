// The benchmark rows, each measured side by side with its baseline in the same run.
#pragma once

#include "measure.h"

#include <vector>

namespace korvane::bench {

// Start to the window shown, and the memory it then holds: korvane against a minimal window.
std::vector<Row> StartRows();
// Loading and writing a long playlist and summing a large sound folder, in the real window.
std::vector<Row> PlaylistRows();
// Moving a row of a long playlist and showing a large folder, in the real window.
std::vector<Row> ListRows();
// Uploading 100 MB in 40 calls through the real window's Upload, against cp.
std::vector<Row> UploadRows();
// Thousands of short calls: uploading 500 and 2,500.
std::vector<Row> ManyCallsRows();
// "Yes" and Add beside a folder of 10,000 calls.
std::vector<Row> LargeFolderRows();
// Reset of a folder of 10,000 calls (slow to set up: it deletes them all every round).
std::vector<Row> ResetRows();
// The length and format of 10,000 calls, against reading the first 4 KB of each.
std::vector<Row> CallInfoRows();
// Converting a 60 s WAV and measuring the loudness of 1,000 calls, against real time's budget.
std::vector<Row> ConvertRows();

} // namespace korvane::bench
