#include "core/replacing_file.hpp"

#include <cerrno>
#include <cstdio>

#include "core/log.hpp"
#include "core/message.hpp"
#include "platform/file_system.hpp"

namespace tarn {

bool ReplacingFile::open(const WidePath& path) {
    discard();
    path_ = path;
    target_ = platform::resolve_path(path.native());
    temporary_ = target_ + ".new";
    if (stream_.open_exact(temporary_, StdFile::kWrite))
        return true;
    temporary_.clear();
    // Without room for a new file, emptying the old one to rewrite it could lose both.
    if (errno == ENOSPC || errno == EDQUOT)
        return false;
    return stream_.open(path, StdFile::kWrite);
}

bool ReplacingFile::write(const void* data, std::int64_t size) {
    const bool written = stream_.write(data, size);
    write_failed_ = write_failed_ || !written;
    return written;
}

bool ReplacingFile::commit() {
    const bool complete = stream_.close_durably() && !write_failed_;
    if (temporary_.empty() || !complete) {
        discard();
        return complete;
    }
    if (std::rename(temporary_.c_str(), target_.c_str()) != 0) {
        log_message(message("Can't replace file '%1'.", path_));
        discard();
        return false;
    }
    temporary_.clear();
    return true;
}

void ReplacingFile::discard() {
    stream_.close();
    if (!temporary_.empty())
        std::remove(temporary_.c_str());
    temporary_.clear();
    write_failed_ = false;
}

bool write_file_replacing(const WidePath& path, const void* data, std::int64_t size) {
    ReplacingFile file;
    return file.open(path) && file.write(data, size) && file.commit();
}

}  // namespace tarn
