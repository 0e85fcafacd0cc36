#include "core/os_services.hpp"

#include "core/log.hpp"
#include "core/message.hpp"
#include "platform/clipboard.hpp"
#include "platform/documents_folder.hpp"
#include "platform/shell_open.hpp"

namespace tarn {

WidePath my_documents() {
    const auto folder = platform::documents_folder();
    if (!folder) {
        log_message("Failed to obtain My Documents directory.");
        return WidePath();
    }
    return WidePath(folder->c_str(), static_cast<int>(folder->size()));
}

bool open_url(const SharedString& url) {
    if (platform::shell_open(std::string(url.data(), url.length())))
        return true;
    log_message(message("Failed to open url %1.", url));
    return false;
}

SharedString clipboard_text() {
    const std::string text = platform::clipboard_text();
    return SharedString(text.data(), static_cast<int>(text.size()));
}

}  // namespace tarn
