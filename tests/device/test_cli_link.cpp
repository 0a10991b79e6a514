// The command-line tool's link commands against the unit program: output and exit codes.
#include <gtest/gtest.h>

#include "unit_process.h"

#if defined(MMX_UNIT_PROGRAM) && defined(MMX_CLI_PROGRAM)

namespace mmx {
namespace {

TEST(CliErase, WholeMemoryThenOneAddressThroughAComPort) {
    test::UnitProcess unit;
    std::string error;
    ASSERT_TRUE(unit.start(MMX_UNIT_PROGRAM, {"--quiet", "--erase-dots", "4"}, error)) << error;
    std::string out;
    std::string err;
    EXPECT_EQ(test::runProgram(MMX_CLI_PROGRAM, {"erase", "--port", "Com7"}, out, err, {"MMX4210_COM7=" + unit.ptyPath()}),
              0)
        << err;
    EXPECT_EQ(out, "Status:  Erasing data successfully!\n");
    EXPECT_NE(err.find("Port: " + unit.ptyPath() + " 115200 8N2\n"), std::string::npos) << err;
    EXPECT_NE(err.find("Status:  Erasing data... ....\n"), std::string::npos) << err;

    out.clear();
    err.clear();
    EXPECT_EQ(test::runProgram(MMX_CLI_PROGRAM, {"erase", "--port", unit.ptyPath(), "--address", "0x3FF100", "--quiet"}, out,
                               err),
              0)
        << err;
    EXPECT_EQ(err, "");
}

TEST(CliErase, RefusedByTheUnit) {
    test::UnitProcess unit;
    std::string error;
    ASSERT_TRUE(unit.start(MMX_UNIT_PROGRAM, {"--quiet", "--nak-every", "1"}, error)) << error;
    std::string out;
    std::string err;
    EXPECT_EQ(test::runProgram(MMX_CLI_PROGRAM, {"erase", "--port", unit.ptyPath()}, out, err), 5);
    EXPECT_NE(err.find("the unit did not accept the start command (result code 21)"), std::string::npos) << err;
    EXPECT_EQ(out, "");
}

TEST(CliErase, PortAndUsageErrors) {
    std::string out;
    std::string err;
    EXPECT_EQ(test::runProgram(MMX_CLI_PROGRAM, {"erase", "--port", "/dev/mmx4210-missing"}, out, err), 3);
    EXPECT_NE(err.find("/dev/mmx4210-missing: no such device"), std::string::npos) << err;
    EXPECT_EQ(test::runProgram(MMX_CLI_PROGRAM, {"erase"}, out, err), 2);
    EXPECT_EQ(test::runProgram(MMX_CLI_PROGRAM, {"erase", "--port", "Com11"}, out, err), 2);
    EXPECT_EQ(test::runProgram(MMX_CLI_PROGRAM, {"erase", "--port", "Com1", "--address", "1000000"}, out, err), 2);
}

TEST(CliPorts, ListsEveryComPortAndItsSource) {
    std::string out;
    std::string err;
    EXPECT_EQ(test::runProgram(MMX_CLI_PROGRAM, {"ports"}, out, err, {"MMX4210_COM3=/dev/pts/77"}), 0) << err;
    EXPECT_NE(out.find("  Com3  /dev/pts/77                 MMX4210_COM3        missing\n"), std::string::npos) << out;
    EXPECT_NE(out.find("  Com10 "), std::string::npos) << out;
}

}  // namespace
}  // namespace mmx

#endif
