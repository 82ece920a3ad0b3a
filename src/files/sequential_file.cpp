#include "sequential_file.h"

#include "document_text.h"

namespace files {

namespace {

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::size_t contentEnd = end;
        if (contentEnd > start && text[contentEnd - 1] == '\r') {
            --contentEnd;
        }
        lines.push_back(text.substr(start, contentEnd - start));
        start = end + 1;
    }
    return lines;
}

} // namespace

SequentialInput::SequentialInput(platform::TextFiles& files, platform::CodePage& codePage,
                                 const std::string& path)
    : lines_(splitLines(decodeDocument(files.readBytes(path), codePage).text)) {}

std::string SequentialInput::readField() {
    if (atEnd()) {
        return {};
    }
    std::string field = lines_[next_++];
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"') {
        field = field.substr(1, field.size() - 2);
    }
    return field;
}

SequentialOutput::SequentialOutput(platform::TextFiles& files, platform::CodePage& codePage,
                                   std::string path)
    : files_(files), codePage_(codePage), path_(std::move(path)) {}

void SequentialOutput::writeLine(const std::string& text) {
    text_ += text;
    text_ += "\r\n";
}

void SequentialOutput::close() {
    files_.replaceBytes(path_, codePage_.encode(text_, codePage_.systemEncoding()));
}

} // namespace files
