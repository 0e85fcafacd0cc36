#pragma once

#include <cstdint>
#include <string>

#include "core/std_file.hpp"
#include "core/wide_path.hpp"

namespace tarn {

// Writes a file so that its old version stays whole until the new one is complete: the bytes go
// to a temporary file beside it, "<name>.new", which takes the old file's place on commit.
// Discarding, or destroying the writer before commit, keeps the old file and drops the new bytes;
// so does a process that dies on the way.
//
// When no file can be created beside the target (a folder that lets existing files be written but
// no new ones made), the target itself is rewritten, and commit syncs it to the disk; only then
// can a failure leave it incomplete. Every failure is logged and names the file that failed.
class ReplacingFile {
public:
    ReplacingFile() = default;
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;
    ~ReplacingFile() { discard(); }

    // Discards what was open. Missing folders are not created.
    bool open(const WidePath& path);
    bool write(const void* data, std::int64_t size);
    // Puts the new file in place once it is on disk; false, keeping the old file, when any write,
    // the sync or the renaming failed.
    bool commit();
    void discard();

private:
    StdFile stream_;
    WidePath path_;
    std::string target_;     // the path as the operating system finds it
    std::string temporary_;  // empty when writing in place
    bool write_failed_ = false;
};

// The whole file written through a ReplacingFile.
bool write_file_replacing(const WidePath& path, const void* data, std::int64_t size);

}  // namespace tarn
