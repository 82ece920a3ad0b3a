#include "document_load.h"

#include "file_errors.h"

#include <algorithm>

namespace files {

namespace {

std::unique_ptr<platform::OpenFile> openReader(platform::Services& services,
                                               const std::string& path) {
    try {
        return services.files.openForReading(path);
    } catch (const platform::FileError& error) {
        throw readError(error);
    }
}

} // namespace

const char* const FileTooLargeText = "文件太大，剩余的内存不足以读入";

DocumentLoad::DocumentLoad(platform::Services& services, std::string path,
                           platform::TextStore& store)
    : services_(services), store_(store), path_(std::move(path)),
      reader_(openReader(services, path_)), decoder_(services.codePage, store), buffer_(StepBytes),
      size_(reader_->size()), room_(size_) {
    try {
        stamp_ = reader_->stamp();
    } catch (const platform::FileError& error) {
        throw readError(error);
    }
}

bool DocumentLoad::step() {
    try {
        return advance();
    } catch (const platform::FileError& error) {
        throw readError(error);
    }
}

bool DocumentLoad::advance() {
    if (!reserved_) {
        // UTF-8 text takes at most the file's bytes.
        store_.reserve(room_);
        reserved_ = true;
        return true;
    }
    const std::size_t count = reader_->read(buffer_.data(), buffer_.size());
    const bool atEnd = count == 0;
    const std::string_view bytes(buffer_.data(), count);
    if (counting_) {
        counting_->feed(bytes);
        if (atEnd) {
            room_ = counting_->bound();
            counting_.reset();
            reserved_ = false;
            reader_ = services_.files.openForReading(path_);
        }
        return true;
    }
    if (decoder_.feed(bytes, atEnd) == DocumentDecoder::Progress::StartOver) {
        // GB18030 grows as it is decoded: its room is counted first, so that the store is
        // not outgrown and copied halfway.
        counting_.emplace();
        reader_ = services_.files.openForReading(path_);
        second_ = true;
        read_ = 0;
        return true;
    }
    read_ += count;
    if (atEnd && decoder_.mixedLineEnds()) {
        mixedLineEnds_ = decodeDocument(readWholeFile(services_.files, path_), services_.codePage)
                             .encoding.lineEnds;
    }
    return !atEnd;
}

DocumentEncoding DocumentLoad::encoding() const {
    DocumentEncoding encoding = decoder_.encoding();
    if (mixedLineEnds_) {
        encoding.lineEnds = *mixedLineEnds_;
    }
    return encoding;
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
