#pragma once

#include <cstdio>
#include <string>

namespace tarn::platform {

// Game data is often authored on Windows, where file names ignore case. These functions find
// files the way Windows would, so a script asking for "data/fonts/big.fnt" gets
// "Data/Fonts/Big.FNT".

// The path itself when it exists; otherwise each component is matched ignoring case (Unicode
// aware). When several entries match, the first in byte order wins. Components that do not
// exist are kept as written, so a new file can be created in an existing folder spelled
// differently. Empty and "." components and repeated '/' are dropped in the result.
std::string resolve_path(const std::string& path);

// True when the path names an entry, found as resolve_path finds it, even one that cannot be
// opened (such as a link to nothing).
bool path_exists(const std::string& path);

// Creates every missing folder leading to the last component, which is taken as a file name.
// Existing folders are found as resolve_path finds them. Failures are left to the file's open.
void create_parent_directories(const std::string& path);

// std::fopen of the resolved path; nullptr on failure.
std::FILE* open_file(const std::string& path, const char* mode);

// The working directory as an absolute path; empty when it cannot be read.
std::string working_directory();

// Makes path the working directory: the empty string on success, else the system's reason.
std::string change_directory(const std::string& path);

}  // namespace tarn::platform
