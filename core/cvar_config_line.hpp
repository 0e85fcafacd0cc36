#pragma once

#include <string_view>

#include "core/shared_string.hpp"

namespace tarn {

// One setting as a line of a configuration file, without the line end. A setting that reads back
// exactly from the plain form name = "value" is written so, as it always was. Any other (a line
// break in the value; in the name an '=', a line break or a blank at either end) takes the
// escaped form name = %"value", where in both parts '%' and control bytes, and in the name also
// blanks and '=', are written as '%' and two hex digits.
SharedString format_config_line(const SharedString& name, const SharedString& value);

// Reads one line: the key is the text before the first '=', the value the text after it, both
// trimmed of bytes up to 32; a value in double quotes loses that one pair. A value of the escaped
// form whose escapes, and the key's, are all valid is decoded with its key; otherwise the line
// is read as written. False for a line without '=' or with an empty key.
bool parse_config_line(std::string_view line, SharedString& name, SharedString& value);

}  // namespace tarn
