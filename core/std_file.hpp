#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/shared_string.hpp"
#include "core/wide_path.hpp"

namespace tarn {

using Bytes = std::vector<std::uint8_t>;

// A binary file stream. Every failure logs one line and returns false (or -1).
class StdFile {
public:
    enum Mode { kRead = 1, kWrite = 2, kReadWrite = kRead | kWrite };

    StdFile() = default;
    StdFile(const StdFile&) = delete;
    StdFile& operator=(const StdFile&) = delete;
    ~StdFile() { close(); }

    // Read only opens "rb", write only "wb" (truncating), both "r+b"; closes any open stream.
    bool open(const WidePath& path, int mode);
    // The same for a path of the operating system's form taken exactly as written (no matching
    // of names ignoring case). On failure errno still tells why.
    bool open_exact(const std::string& native_path, int mode);
    bool close();
    // Closes after pushing everything written to the disk itself; false when anything failed.
    bool close_durably();
    bool is_open() const { return file_ != nullptr; }

    std::int64_t position();
    std::int64_t size();
    // Exactly count bytes or failure; a count of 0 always succeeds.
    bool read(void* buffer, std::int64_t count);
    bool write(const void* buffer, std::int64_t count);
    // A negative offset moves to the end of the file.
    bool seek(std::int64_t offset);

private:
    bool check_open();
    bool open_native(const std::string& native_path, int mode, const std::string& shown_path);

    std::FILE* file_ = nullptr;
};

// Whole-file readers; a failure logs "Can't read file '%1'." last and leaves out empty.
bool read_file(const WidePath& path, Bytes& out);         // up to 64 MiB
bool read_text(const WidePath& path, SharedString& out);  // up to 32 MiB
// A file of the data directory.
bool read_data_file(const SharedString& name, Bytes& out);

// The engine's data directory, "data". A process-wide object created at start-up
// (app/singletons.cpp).
const WidePath& data_path();

}  // namespace tarn
