// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "document_load.h"

#include "file_errors.h"
#include "platform/error.h"

#include <algorithm>
#include <cstring>

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
const char* const LineTooLongText = "文件中有一行长于256 KB，编辑区无法显示这样长的行";

namespace {

// Where byte is found from pos on, or the end.
const char* findByte(const char* pos, const char* end, char byte) {
    const void* found = std::memchr(pos, byte, static_cast<std::size_t>(end - pos));
    return found != nullptr ? static_cast<const char*>(found) : end;
}

} // namespace

void DocumentLoad::checkLineLengths(std::string_view bytes) {
    const char* pos = bytes.data();
    const char* const end = pos + bytes.size();
    // The next CR and the next LF, each searched for once: CR LF, LF and CR all end a line.
    const char* carriageReturn = findByte(pos, end, '\r');
    const char* lineFeed = findByte(pos, end, '\n');
    for (;;) {
        const char* lineEnd = std::min(carriageReturn, lineFeed);
        lineBytes_ += static_cast<std::size_t>(lineEnd - pos);
        if (lineBytes_ > LongestLineBytes) {
            throw platform::RuntimeError(DocumentErrorNumber::LineTooLong, LineTooLongText);
        }
        if (lineEnd == end) {
            return;
        }
        lineBytes_ = 0;
        pos = lineEnd + 1;
        if (carriageReturn < pos) {
            carriageReturn = findByte(pos, end, '\r');
        }
        if (lineFeed < pos) {
            lineFeed = findByte(pos, end, '\n');
        }
    }
}

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
    checkLineLengths(bytes);
    if (decoder_.feed(bytes, atEnd) == DocumentDecoder::Progress::StartOver) {
        lineBytes_ = 0;
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
        // Read errors and running out of memory are told as for the rest of the load.
        mixedLineEnds_ =
            decodeDocument(readToEnd(*services_.files.openForReading(path_)), services_.codePage)
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
