// The udev rule file: printed from the device tables, and the shipped copy equals it.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/CliRun.h"
#include "devicelink/DeviceTables.h"
#include "devicelink/UdevRules.h"
#include "support/SourcePaths.h"

namespace morvek {
namespace {

TEST(UdevRules, EveryAssignedIdOfTheMatchTableGetsAUaccessLine) {
    const std::string rules = UdevRules();
    int assigned = 0;
    for (const DeviceEntry& row : InterfaceMatchTable()) {
        if (row.vendorId == 0 || row.productId == 0) continue;
        ++assigned;
        char line[160];
        std::snprintf(line, sizeof line,
                      "SUBSYSTEM==\"hidraw\", ATTRS{idVendor}==\"%04x\", ATTRS{idProduct}==\"%04x\", "
                      "TAG+=\"uaccess\"\n",
                      row.vendorId, row.productId);
        EXPECT_NE(rules.find(line), std::string::npos) << line;
    }
    ASSERT_GT(assigned, 0);
    EXPECT_EQ(rules.find("idVendor}==\"0000\""), std::string::npos);
}

TEST(UdevRules, ShippedFileEqualsWhatMorvekctlPrints) {
    const test::CliRun run = test::RunCli({"udev-rules"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto shipped = std::filesystem::path(test::SourcePackagingDir()) / kUdevRulesFileName;
    std::ifstream in(shipped);
    ASSERT_TRUE(in) << shipped;
    std::ostringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), run.out) << "regenerate with: morvekctl udev-rules > packaging/linux/" << kUdevRulesFileName;
}

TEST(UdevRules, ExtraArgumentsAreAUsageError) {
    const test::CliRun run = test::RunCli({"udev-rules", "extra"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("udev-rules takes no arguments"), std::string::npos);
}

}  // namespace
}  // namespace morvek
