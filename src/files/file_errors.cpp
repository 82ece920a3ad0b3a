// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "file_errors.h"

#include <new>

namespace files {

namespace {

using platform::FileFault;
namespace ErrorNumber = platform::ErrorNumber;

// One number and one text for each fault. The access number, whose message tells the user to
// change the file's attributes, is kept for what such a change can mend.
FaultDescription describeFault(FileFault fault) {
    switch (fault) {
    case FileFault::NotFound:
        return {ErrorNumber::FileNotFound, "文件未找到"};
    case FileFault::PathNotFound:
        return {ErrorNumber::PathNotFound, "路径未找到：路径中的文件夹不存在"};
    case FileFault::NotSearchable:
        return {ErrorNumber::PermissionDenied, "没有权限：路径中有不允许进入的文件夹"};
    case FileFault::AccessDenied:
        return {ErrorNumber::PathFileAccess, "没有写入的权限"};
    case FileFault::ReadOnly:
        return {ErrorNumber::PathFileAccess, "文件或磁盘是只读的"};
    case FileFault::InUse:
        return {ErrorNumber::PathFileAccess, "文件正被其他程序使用"};
    case FileFault::IsFolder:
        return {ErrorNumber::NotAFile, "这是一个文件夹，不是文件"};
    case FileFault::NotRegular:
        return {ErrorNumber::NotAFile, "这不是普通文件，而是设备或管道"};
    case FileFault::LinkLoop:
        return {ErrorNumber::PathNotFound, "路径未找到：符号链接构成了循环"};
    case FileFault::BadName:
        return {ErrorNumber::BadFileName, "文件名无效或太长"};
    case FileFault::DiskFull:
        return {ErrorNumber::DiskFull, "磁盘已满"};
    case FileFault::DeviceIO:
        return {ErrorNumber::DeviceIO, "设备 I/O 错误"};
    case FileFault::TooManyFiles:
        return {ErrorNumber::TooManyFiles, "打开的文件太多"};
    case FileFault::Other:
        break;
    }
    return {ErrorNumber::DeviceIO, "设备 I/O 错误"};
}

} // namespace

FaultDescription describe(const platform::FileError& error) {
    FaultDescription description = describeFault(error.fault());
    // A fault without words of its own keeps the system's, so that it can be looked up.
    if (error.fault() == FileFault::Other && *error.what() != '\0') {
        description.text += std::string("（") + error.what() + "）";
    }
    return description;
}

std::string quoted(const std::string& path) {
    return "“" + path + "”";
}

platform::RuntimeError readError(const platform::FileError& error) {
    FaultDescription description = describe(error);
    if (error.fault() == FileFault::AccessDenied) {
        description.text = "没有读取的权限";
    }
    return {description.number, std::move(description.text)};
}

platform::RuntimeError writeError(const std::string& path, const platform::FileError& error) {
    const FaultDescription description = describe(error);
    return {description.number, "无法写入文件" + quoted(path) + "：" + description.text};
}

std::string readToEnd(platform::OpenFile& file) {
    std::string bytes;
    bytes.reserve(file.size());
    char buffer[65536];
    for (std::size_t count; (count = file.read(buffer, sizeof buffer)) != 0;) {
        bytes.append(buffer, count);
    }
    return bytes;
}

std::string readWholeFile(platform::TextFiles& files, const std::string& path) {
    try {
        return readToEnd(*files.openForReading(path));
    } catch (const platform::FileError& error) {
        throw readError(error);
    } catch (const std::bad_alloc&) {
        throw platform::RuntimeError(ErrorNumber::OutOfMemory,
                                     "文件" + quoted(path) + "太大，内存不足以读入");
    }
}

} // namespace files
