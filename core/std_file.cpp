#include "core/std_file.hpp"

#include "core/log.hpp"
#include "core/message.hpp"
#include "platform/file_system.hpp"

#include <unistd.h>
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
    close();
    if ((mode & kReadWrite) == 0) {
        SharedString text("Invalid StdFile open mode %1.");
        log_message(arg_integer(text, mode, 16, false));
        return false;
    }
    file_ = platform::open_file(path.native(), open_mode_text(mode));
    if (file_ == nullptr) {
        log_message(
            message("Can't open file '%1' for %2.", path, (mode & kWrite) ? "writing" : "reading"));
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

namespace {

// Flushes and closes; true when everything reached the disk.
bool close_durably(std::FILE* file) {
    const bool synced = std::fflush(file) == 0 && fsync(fileno(file)) == 0;
    return std::fclose(file) == 0 && synced;
}

}  // namespace

bool write_file_replacing(const WidePath& path, const void* data, std::int64_t size) {
    const std::string target = platform::resolve_path(path.native());
    const std::string temporary = target + ".new";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) {
        log_message(message("Can't open file '%1' for %2.", path, "writing"));
        return false;
    }
    const bool written = size == 0 || std::fwrite(data, 1, size, file) == size_t(size);
    if (!written)
        log_message(message("Error writing %1 bytes to the file.", size));
    const bool closed = close_durably(file);
    if (!closed)
        log_message("Error closing file. Disk full?");
    const bool replaced = written && closed && std::rename(temporary.c_str(), target.c_str()) == 0;
    if (!replaced)
        std::remove(temporary.c_str());
    return replaced;
}

}  // namespace tarn
