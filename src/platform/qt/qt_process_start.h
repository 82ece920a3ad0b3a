#pragma once

#include "platform/process_start.h"

namespace platform::qt {

class QtProcessStart : public ProcessStart {
public:
    bool start(const StartRequest& request) override;
};

} // namespace platform::qt
