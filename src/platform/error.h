// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include <exception>
#include <functional>
#include <iostream>
#include <new>
#include <stdexcept>
#include <string>

namespace platform {

// Numbers of the failures the system tells apart; a platform maps its own failures onto them.
namespace ErrorNumber {
inline constexpr int Overflow = 6;
inline constexpr int OutOfMemory = 7;
inline constexpr int BadFileName = 52;
inline constexpr int FileNotFound = 53;
inline constexpr int DeviceIO = 57;
inline constexpr int DiskFull = 61;
inline constexpr int TooManyFiles = 67;
inline constexpr int PermissionDenied = 70;
inline constexpr int PathFileAccess = 75;
inline constexpr int PathNotFound = 76;
inline constexpr int InvalidPropertyValue = 380;
inline constexpr int DialogCancelled = 32755;
// Bytes an encoding does not read, text it cannot hold, or an encoding the system lacks.
inline constexpr int ConversionFailed = 1002;
// A folder, a device or a pipe stands where a file should be.
inline constexpr int NotAFile = 1003;
} // namespace ErrorNumber

// The description of error 380, for a value a control or window cannot take.
inline constexpr const char* InvalidPropertyValueText = "无效的属性值";

// A numbered failure raised to the caller, the way the commands' error traps expect it.
class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int number, std::string description)
        : std::runtime_error(description), number_(number), description_(std::move(description)) {}

    int number() const { return number_; }
    const std::string& description() const { return description_; }

private:
    int number_;
    std::string description_;
};

// What a command reports when memory ran out (std::bad_alloc) while it worked.
inline RuntimeError outOfMemoryError() {
    return RuntimeError(ErrorNumber::OutOfMemory, "内存不足");
}

// A failure that is neither a numbered error nor memory running out is a bug in the program:
// nothing it could tell the user would help. By default it is written to the standard error
// stream and the program goes on; the tests make it fail the test that ran into it.
using BugHandler = void (*)(const std::exception& bug);

inline void logBug(const std::exception& bug) {
    std::cerr << "MORVANE集成系统: internal error: " << bug.what() << std::endl;
}

inline BugHandler bugHandler = logBug;

inline void reportBug(const std::exception& bug) {
    bugHandler(bug);
}

// Runs a step whose failure has no effect and tells nobody: the next step runs as if it had
// not been tried. Only a numbered failure or memory running out count as such a failure;
// anything else is a bug and goes to reportBug.
inline void tolerating(const std::function<void()>& step) {
    try {
        step();
    } catch (const RuntimeError&) {
    } catch (const std::bad_alloc&) {
    } catch (const std::exception& bug) {
        reportBug(bug);
    }
}

} // namespace platform
