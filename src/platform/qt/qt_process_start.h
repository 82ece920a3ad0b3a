#pragma once

#include "platform/process_start.h"

#include <QString>

namespace platform::qt {

class QtProcessStart : public ProcessStart {
public:
    // interpreter is the batch interpreter scripts run in; empty means the morvane-bat beside
    // the running executable.
    explicit QtProcessStart(QString interpreter = {});

    void startInTerminal(const std::string& scriptPath,
                         const std::string& workingDirectory) override;
    void startDetached(const std::vector<std::string>& argv) override;

private:
    QString interpreter() const;

    QString interpreter_;
};

} // namespace platform::qt
