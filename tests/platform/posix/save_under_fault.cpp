// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

// Saves a file by the save procedure on the POSIX file system, as the unprivileged user nobody when
// started as root (so that a folder without write permission holds for it). Started by the tests
// with the write fault shim preloaded. Arguments: the file to save, and a file holding the new
// bytes. Prints the error number and description of a failed save and exits 1; exits 0 on success.

#include "files/save_procedure.h"
#include "platform/error.h"
#include "platform/posix/posix_text_files.h"
#include "posix_test_support.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc != 3) {
        return 2;
    }
    std::ifstream in(argv[2], std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    if (::geteuid() == 0 && !posixtest::becomeNobody()) {
        return 3;
    }
    try {
        platform::posix::PosixTextFiles files;
        files::saveFile(files, argv[1], bytes);
        return 0;
    } catch (const platform::RuntimeError& error) {
        std::printf("%d\n%s\n", error.number(), error.description().c_str());
        return 1;
    }
}
