#pragma once

#include "core/replacing_file.hpp"
#include "core/shared_string.hpp"
#include "core/std_file.hpp"
#include "core/wide_path.hpp"
#include "script/engine_object.hpp"

namespace tarn {

// Where a script's file lives: the data directory, or the save directory ("save" or "home").
enum class FileLocation { kData, kSave };

FileLocation file_location(const SharedString& location);
// The file's path: "data" joined with name, or the save directory joined with name and
// prefix-expanded.
WidePath file_path(const SharedString& name, FileLocation location);

// Takes the line that starts at cursor from data: the bytes up to the next '\n' (which the cursor
// moves past) or to the end, without one trailing '\r'. False when the cursor is at the end.
bool next_line(const Bytes& data, int& cursor, SharedString& line);

// A line-oriented text file for scripts. Reading loads the whole file at open. Writing goes to a
// ReplacingFile: the old file stays whole until close puts the new one in its place (normal
// shutdown closes the Files still open). A File destroyed while open for writing - collected
// after a script error left it unclosed - drops what it wrote and keeps the old file, as does a
// process that dies. Failures are logged by the file layer and surface as false results.
class File : public EngineObject {
public:
    enum Mode { kClosed = 0, kReading = 1, kWriting = 2 };

    static ClassDescriptor class_descriptor;

    File() = default;
    ~File() override;
    const ClassDescriptor& descriptor() const override { return class_descriptor; }

    // Closes first; mode "r" reads, "w" writes (creating missing directories); any other mode
    // fails without touching the disk.
    bool open(const SharedString& name, const SharedString& mode, FileLocation location);
    bool open_for_reading(const WidePath& path);
    bool open_for_writing(const WidePath& path);
    // Puts what was written in place of the old file.
    void close();

    int mode() const { return mode_; }
    // The next line; false at the end of the file or when not open for reading.
    bool read_line(SharedString& line);
    // The text followed by CR LF; false when a write failed.
    bool write_line(const SharedString& text);

private:
    int mode_ = kClosed;
    Bytes buffer_;
    int cursor_ = 0;
    WidePath path_;
    ReplacingFile writer_;
};

}  // namespace tarn
