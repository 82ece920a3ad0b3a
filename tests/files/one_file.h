#pragma once

#include "platform/text_files.h"

#include <memory>
#include <stdexcept>
#include <string>

// A file system holding one file, whatever its name: Set.ini as a reader or writer sees it.
class OneFile : public platform::TextFiles {
public:
    std::string readBytes(const std::string&) override { return bytes; }
    // Set.ini is read whole, never in pieces.
    std::unique_ptr<platform::FileReader> openForReading(const std::string&) override {
        throw std::logic_error("Set.ini is read whole");
    }
    void replaceBytes(const std::string&, const std::string& written) override { bytes = written; }
    void replaceEntry(const std::string&, const std::string& written) override { bytes = written; }
    std::string bytes;
};
