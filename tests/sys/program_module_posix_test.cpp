#include "calls/call_reader_functions.h"
#include "sys/program_module.h"

#include "support/temp_drives.h"

#include <gtest/gtest.h>

#include <string>

namespace korvane {
namespace {

// A module is found beside the program, where the build put it, or where a package puts it;
// one that is not there, or not a module, is refused with a reason a user can act on.
TEST(ProgramModule, LoadsTheModuleOrSaysWhyNot)
{
    const auto reader = LoadModuleFunctions<CallReaderFunctions>(
        {"korvane_call_reader.so", KORVANE_CALL_READER_MODULE_BUILT, "../lib/korvane/none.so"},
        kCallReaderEntry, "the call reader's module");
    EXPECT_NE(reader.functions, nullptr) << reader.why;
    EXPECT_EQ(reader.why, "");

    const auto missing = LoadModuleFunctions<CallReaderFunctions>(
        {"korvane_absent.so", "/nowhere/korvane_absent.so", "../nowhere/korvane_absent.so"},
        kCallReaderEntry, "the test's module");
    EXPECT_EQ(missing.functions, nullptr);
    EXPECT_EQ(missing.why, "the test's module korvane_absent.so is missing");

    const test::TempDrives temp("c");
    temp.writeFile("c/korvane_text.so", "not a shared object\n");
    const std::string notModule = temp.hostPath("c/korvane_text.so");
    const auto broken = LoadModuleFunctions<CallReaderFunctions>(
        {"korvane_text.so", notModule.c_str(), "../nowhere/korvane_text.so"}, kCallReaderEntry,
        "the test's module");
    EXPECT_EQ(broken.functions, nullptr);
    EXPECT_EQ(broken.why.rfind("the test's module cannot be loaded: ", 0), 0u) << broken.why;
    EXPECT_NE(broken.why.find("korvane_text.so"), std::string::npos) << broken.why;
}

} // namespace
} // namespace korvane
