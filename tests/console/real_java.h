// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "run_support.h"

#include <string>

#include <gtest/gtest.h>

namespace console_test {

// Tests that run the workbench's scripts with the JDK found on the search path.
class RealJava : public ::testing::Test {
protected:
    void SetUp() override {
        bin_ = javaBinDir();
        ASSERT_FALSE(bin_.empty()) << "javac is not on the search path: install the JDK "
                                      "(apt-get install -y default-jdk-headless)";
    }

    // debug.bat as the workbench writes it: three lines, CR LF after each, nothing quoted.
    std::string writeDebugBat(const std::string& sourceDir, const std::string& toolLine) {
        std::string path = sourceDir + "/debug.bat";
        writeFile(path, "set path=" + bin_ + "\r\n" + toolLine + "\r\n@pause\r\n");
        return path;
    }

    std::string bin_;
};

} // namespace console_test
