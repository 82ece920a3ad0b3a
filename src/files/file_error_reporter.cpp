// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "file_error_reporter.h"

#include <new>

namespace files {

void ReportFileError(platform::MessageBox& messageBox, const platform::RuntimeError& error) {
    const int number = error.number();
    if (number == platform::ErrorNumber::PathFileAccess) {
        messageBox.show("文件访问错误，文件可能是只读的，请改变其属性再试",
                        platform::MsgBoxStyle::Critical, "错误处理");
        return;
    }
    if (number == platform::ErrorNumber::DialogCancelled) {
        return;
    }
    messageBox.show("未知错误：" + error.description() + "错误号：" + std::to_string(number),
                    platform::MsgBoxStyle::Critical, "错误处理");
}

bool trappingFileErrors(platform::MessageBox& messageBox, const std::function<void()>& steps) {
    try {
        steps();
        return true;
    } catch (const platform::RuntimeError& error) {
        ReportFileError(messageBox, error);
    } catch (const std::bad_alloc&) {
        ReportFileError(messageBox, platform::outOfMemoryError());
    }
    return false;
}

} // namespace files
