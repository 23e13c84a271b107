// The one failure the logic does not handle: a disk operation that the platform refused.
#pragma once

#include <stdexcept>
#include <string>

namespace korvane {

class PlatformError : public std::runtime_error {
public:
    // operation: a short verb phrase ("write", "copy", "delete", "make folder", "read", "measure")
    PlatformError(std::string operation, std::string path, std::string osText);

    const std::string& operation() const { return operation_; }
    const std::string& path() const { return path_; }
    const std::string& osText() const { return osText_; }

private:
    std::string operation_;
    std::string path_;
    std::string osText_;
};

// The text of an errno value as a PlatformError carries it, in the same words on every system.
std::string OsErrorText(int error);

} // namespace korvane
