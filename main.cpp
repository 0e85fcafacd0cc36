#include "app/command_line.hpp"

int main(int argc, char** argv) {
    return tarn::run_command_line(argc, argv);
}
