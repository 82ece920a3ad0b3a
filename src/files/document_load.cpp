#include "document_load.h"

#include <algorithm>

namespace files {

const char* const FileTooLargeText = "文件太大，剩余的内存不足以读入";

DocumentLoad::DocumentLoad(platform::Services& services, std::string path,
                           platform::TextStore& store)
    : services_(services), store_(store), path_(std::move(path)),
      reader_(services.files.openForReading(path_)), decoder_(services.codePage, store),
      buffer_(StepBytes), size_(reader_->size()) {}

bool DocumentLoad::step() {
    if (!reserved_) {
        // UTF-8 text takes at most the file's bytes; a GB18030 text grows as it is read.
        store_.reserve(size_);
        reserved_ = true;
        return true;
    }
    const std::size_t count = reader_->read(buffer_.data(), buffer_.size());
    const bool atEnd = count == 0;
    if (decoder_.feed(std::string_view(buffer_.data(), count), atEnd) ==
        DocumentDecoder::Progress::StartOver) {
        reader_ = services_.files.openForReading(path_);
        second_ = true;
        read_ = 0;
        return true;
    }
    read_ += count;
    return !atEnd;
}

double DocumentLoad::fraction() const {
    if (size_ == 0) {
        return 1;
    }
    // A second reading makes up the second half.
    const double done = std::min(1.0, static_cast<double>(read_) / static_cast<double>(size_));
    return second_ ? 0.5 + done / 2 : done;
}

platform::ProgressRequest loadProgress(const std::string& path) {
    return {"打开", "正在读入“" + path + "”……", "取消", 500};
}

} // namespace files
