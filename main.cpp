#include "core/log.hpp"

int main() {
    tarn::log_message("Initializing base subsystems...");
    return 0;
}
