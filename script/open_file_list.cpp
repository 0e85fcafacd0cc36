#include "script/open_file_list.hpp"

#include <algorithm>

#include "script/file_object.hpp"

namespace tarn {

void OpenFileList::remove(File* file) {
    std::erase(files_, file);
}

void OpenFileList::close_all() {
    while (!files_.empty())
        files_.back()->close();
}

}  // namespace tarn
