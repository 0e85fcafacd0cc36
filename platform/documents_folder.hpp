#pragma once

#include <optional>
#include <string>

namespace tarn::platform {

// The user's documents folder, as the desktop reports it (XDG_DOCUMENTS_DIR, from the
// environment or from user-dirs.dirs), else "$HOME/Documents". The folder and its parents are
// created when missing. Nothing when there is no home folder or the folder cannot be created.
// The path has no trailing '/'.
std::optional<std::string> documents_folder();

}  // namespace tarn::platform
