#include "form/call_rows.h"

namespace korvane {

namespace {

// A root keeps its separator ("c:\"), every other folder has none.
std::string Joined(const std::string& folder, const std::string& name)
{
    if (folder.empty())
        return {};
    return folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

} // namespace

std::string CallPathOfRow(const Form1& f, std::string_view list, const std::string& name)
{
    if (list == "File2")
        return Joined(f.File2.Path(), name);
    if (list == "File1")
        return Joined(f.File1.Path(), name);
    if (list == "List1")
        return Joined(f.SoundFolderPath, name);
    return {};
}

} // namespace korvane
