// A test on the temporary drives c:, d: and e: with a disk over them, and the failures of the
// disk layer as a test looks at them.
#pragma once

#include "support/temp_drives.h"
#include "sys/errors.h"

#include <gtest/gtest.h>

#include <string>

namespace korvane::test {

class DrivesTest : public ::testing::Test {
protected:
    TempDrives drives{"cde"};
    Disk disk = drives.disk();
};

// Runs an operation that must fail and hands back its error.
template <typename Operation> PlatformError FailureOf(Operation operation)
{
    try {
        operation();
    } catch (const PlatformError& error) {
        return error;
    }
    ADD_FAILURE() << "the operation did not fail";
    return PlatformError("", "", "");
}

// What a failure names: "operation | path | system text".
inline std::string PartsOf(const PlatformError& error)
{
    return error.operation() + " | " + error.path() + " | " + error.osText();
}

} // namespace korvane::test
