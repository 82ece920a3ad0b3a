#pragma once

#include "platform/text_files.h"

#include <string>
#include <vector>

namespace platform::posix {

// A whole copy of a file's content in the user's cache folder ($XDG_CACHE_HOME, else
// ~/.cache, under MORVANE集成系统/保存备份), kept while the file is overwritten in place.
// Each copy has a folder of its own holding the copy under the file's name and a record of the
// file's path; the record is locked while the save runs, so a copy whose record is unlocked
// and filled in was left behind by a run that died during the save.
class SaveBackup {
public:
    // Writes the copy and syncs it to the disk; raises RuntimeError when it cannot, before
    // the file has been touched.
    SaveBackup(const std::string& documentPath, const std::string& content);
    // Removes the copy unless it was kept.
    ~SaveBackup();
    SaveBackup(const SaveBackup&) = delete;
    SaveBackup& operator=(const SaveBackup&) = delete;

    const std::string& copyPath() const { return copyPath_; }
    // The file could not be given its old content back: the copy stays and is reported at the
    // next start.
    void keep() { kept_ = true; }

private:
    std::string folder_;
    std::string recordPath_;
    std::string copyPath_;
    int record_ = -1;
    bool kept_ = false;
};

// Copies whose save never finished, oldest folder name first.
std::vector<InterruptedSave> findInterruptedSaves();
// Drops the record, so the save is reported no more; the copy stays for the user.
void forgetInterruptedSave(const InterruptedSave& save);

} // namespace platform::posix
