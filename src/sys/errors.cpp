#include "sys/errors.h"

#include "sys/host_files.h"

namespace korvane {

namespace {
std::string describe(const std::string& operation, const std::string& path,
                     const std::string& osText)
{
    return "Could not " + operation + " \"" + path + "\": " + osText;
}
} // namespace

PlatformError::PlatformError(std::string operation, std::string path, std::string osText)
    : std::runtime_error(describe(operation, path, osText)), operation_(std::move(operation)),
      path_(std::move(path)), osText_(std::move(osText))
{
}

std::string OsErrorText(int error)
{
    return host::ErrorText(error);
}

} // namespace korvane
