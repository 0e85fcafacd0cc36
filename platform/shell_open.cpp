#include "platform/shell_open.hpp"

#include <chrono>
#include <optional>

#include "platform/process.hpp"

namespace tarn::platform {

bool shell_open(const std::string& url) {
    if (url.empty() || url.front() == '-')
        return false;
    std::optional<ChildProcess> child = ChildProcess::spawn({"xdg-open", url});
    if (!child)
        return false;
    // Some handlers keep xdg-open waiting until they close; by then the URL was handed over.
    // A child still running here is reaped in the background once `child` goes away.
    std::optional<int> exit_code = child->wait_for(std::chrono::seconds(5));
    return !exit_code || *exit_code == 0;
}

}  // namespace tarn::platform
