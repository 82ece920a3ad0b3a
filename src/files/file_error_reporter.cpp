#include "app/module1.h"
#include "platform/message_box.h"

#include <new>

namespace app {

void Module1::ReportFileError(const platform::RuntimeError& error) {
    const int number = error.number();
    if (number == platform::ErrorNumber::PathFileAccess) {
        services.messageBox.show("文件访问错误，文件可能是只读的，请改变其属性再试",
                                 platform::MsgBoxStyle::Critical, "错误处理");
        return;
    }
    if (number == platform::ErrorNumber::DialogCancelled) {
        return;
    }
    services.messageBox.show("未知错误：" + error.description() + "错误号：" +
                                 std::to_string(number),
                             platform::MsgBoxStyle::Critical, "错误处理");
}

bool Module1::trappingFileErrors(const std::function<void()>& steps) {
    try {
        steps();
        return true;
    } catch (const platform::RuntimeError& error) {
        ReportFileError(error);
    } catch (const std::bad_alloc&) {
        ReportFileError(platform::outOfMemoryError());
    }
    return false;
}

} // namespace app
