#include "app/engine.hpp"

int main() {
    return tarn::run_engine();
}
