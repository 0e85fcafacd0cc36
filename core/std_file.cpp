#include "core/std_file.hpp"

#include "core/log.hpp"
#include "core/message.hpp"
#include "platform/file_system.hpp"

#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace tarn {

namespace {

constexpr std::int64_t kFileLimit = 64 * 1024 * 1024;
constexpr std::int64_t kTextLimit = 32 * 1024 * 1024;

const char* open_mode_text(int mode) {
    switch (mode & StdFile::kReadWrite) {
        case StdFile::kRead:
            return "rb";
        case StdFile::kWrite:
            return "wb";
        default:
            return "r+b";
    }
}

}  // namespace

bool StdFile::check_open() {
    if (file_ == nullptr)
        log_message("Invalid file handle.");
    return file_ != nullptr;
}

bool StdFile::open(const WidePath& path, int mode) {
    return open_native(platform::resolve_path(path.native()), mode, path.native());
}

bool StdFile::open_exact(const std::string& native_path, int mode) {
    return open_native(native_path, mode, native_path);
}

bool StdFile::open_native(const std::string& native_path, int mode, const std::string& shown_path) {
    close();
    if ((mode & kReadWrite) == 0) {
        SharedString text("Invalid StdFile open mode %1.");
        log_message(arg_integer(text, mode, 16, false));
        return false;
    }
    file_ = std::fopen(native_path.c_str(), open_mode_text(mode));
    if (file_ == nullptr) {
        const int reason = errno;
        log_message(message("Can't open file '%1' for %2.", shown_path.c_str(),
                            (mode & kWrite) ? "writing" : "reading"));
        errno = reason;
    }
    return file_ != nullptr;
}

bool StdFile::close() {
    if (file_ == nullptr)
        return true;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!closed)
        log_message("Error closing file. Disk full?");
    return closed;
}

bool StdFile::close_durably() {
    if (file_ == nullptr)
        return true;
    const bool synced = std::fflush(file_) == 0 && fsync(fileno(file_)) == 0;
    const bool closed = std::fclose(file_) == 0 && synced;
    file_ = nullptr;
    if (!closed)
        log_message("Error closing file. Disk full?");
    return closed;
}

std::int64_t StdFile::position() {
    if (!check_open())
        return -1;
    const std::int64_t position = ftello(file_);
    if (position < 0)
        log_message("Can't get current file position.");
    return position;
}

std::int64_t StdFile::size() {
    const std::int64_t start = position();
    if (start < 0 || !seek(-1))
        return -1;
    const std::int64_t end = position();
    if (end < 0 || !seek(start))
        return -1;
    return end;
}

bool StdFile::read(void* buffer, std::int64_t count) {
    if (!check_open())
        return false;
    if (count == 0)
        return true;
    const bool complete = count > 0 && std::fread(buffer, 1, count, file_) == size_t(count);
    if (!complete)
        log_message(message("Error reading %1 bytes from the file.", count));
    return complete;
}

bool StdFile::write(const void* buffer, std::int64_t count) {
    if (!check_open())
        return false;
    if (count == 0)
        return true;
    const bool complete = count > 0 && std::fwrite(buffer, 1, count, file_) == size_t(count);
    if (!complete)
        log_message(message("Error writing %1 bytes to the file.", count));
    return complete;
}

bool StdFile::seek(std::int64_t offset) {
    if (!check_open())
        return false;
    const bool moved =
        offset < 0 ? fseeko(file_, 0, SEEK_END) == 0 : fseeko(file_, offset, SEEK_SET) == 0;
    if (!moved)
        log_message("Error seeking the file.");
    return moved;
}

namespace {

// Opens, measures against the limit and reads the whole file into storage sized by resize.
template <typename Resize>
bool read_whole(const WidePath& path, std::int64_t limit, Resize resize) {
    StdFile file;
    bool ok = file.open(path, StdFile::kRead);
    const std::int64_t size = ok ? file.size() : -1;
    ok = ok && size >= 0;
    if (ok && size > limit) {
        log_message("File too big.");
        ok = false;
    }
    ok = ok && file.read(resize(size), size);
    ok = file.close() && ok;
    if (!ok)
        log_message(message("Can't read file '%1'.", path));
    return ok;
}

}  // namespace

bool read_file(const WidePath& path, Bytes& out) {
    const bool ok = read_whole(path, kFileLimit, [&out](std::int64_t size) {
        out.resize(size);
        return out.data();
    });
    if (!ok)
        Bytes().swap(out);
    return ok;
}

bool read_text(const WidePath& path, SharedString& out) {
    const bool ok = read_whole(path, kTextLimit, [&out](std::int64_t size) {
        out.resize(static_cast<int>(size));
        return out.mutable_data();
    });
    if (!ok)
        out.clear();
    return ok;
}

bool read_data_file(const SharedString& name, Bytes& out) {
    return read_file(join(WidePath("data"), WidePath(name)), out);
}

}  // namespace tarn
