#pragma once

#include <vector>

namespace tarn {

class File;

// The Files open for writing. Each File enters when it opens for writing and leaves when it
// closes or is destroyed, so that shutdown can close those a game kept open to the end.
class OpenFileList {
public:
    void add(File* file) { files_.push_back(file); }
    void remove(File* file);
    // Closes every File still open for writing, which puts what they wrote in place.
    void close_all();

private:
    std::vector<File*> files_;
};

// The engine's Files open for writing. A process-wide object created at start-up
// (app/singletons.cpp).
OpenFileList& open_file_list();

}  // namespace tarn
