// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "document_file.h"

#include "file_errors.h"
#include "platform/message_box.h"

namespace files {

namespace {

// Whether the file the window last saw, through the path's links, is still as it left it.
// Where no file is there now, or it cannot be looked at, there is nothing another program wrote
// to keep: the save itself creates the file or tells why it cannot.
bool unchangedOnDisk(platform::TextFiles& files, const FileOnDisk& seen) {
    try {
        const platform::FileStatus status = files.status(seen.path);
        return status.kind != platform::FileStatus::Kind::Regular || status.stamp == seen.stamp;
    } catch (const platform::FileError&) {
        return true;
    }
}

bool userKeepsOthersChange(platform::MessageBox& messageBox, const std::string& path) {
    return messageBox.show("文件" + quoted(path) +
                               "在打开或上次保存后已被其他程序修改。\n要用本窗口中的文本覆盖它吗？",
                           platform::MsgBoxStyle::YesNo | platform::MsgBoxStyle::Exclamation |
                               platform::MsgBoxStyle::DefaultButton2,
                           "保存") == platform::MsgBoxResult::No;
}

} // namespace

DocumentSave saveDocument(platform::Services& services, platform::TextControl& text,
                          DocumentEncoding& encoding, std::optional<FileOnDisk>& onDisk,
                          const std::string& path) {
    LineEnds written;
    const std::string bytes = encodeDocument(text.text(), encoding, services.codePage, &written);
    if (onDisk && onDisk->path == path && !unchangedOnDisk(services.files, *onDisk) &&
        userKeepsOthersChange(services.messageBox, path)) {
        return DocumentSave::KeptOthersChange;
    }
    onDisk = FileOnDisk{path, saveFile(services.files, path, bytes).stamp};
    encoding.lineEnds = std::move(written);
    return DocumentSave::Saved;
}

} // namespace files
