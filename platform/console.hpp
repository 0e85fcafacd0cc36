#pragma once

namespace tarn::platform {

// True when the process has somewhere to print to: standard output is an open descriptor.
bool has_console();

// Prepares the console for the engine's output. Linux always has one when has_console() says
// so; what remains is making stdin, stdout and stderr unbuffered, so that output interleaves
// correctly and nothing is lost when the process ends abruptly.
void open_console();

// Pushes out what standard output and standard error still buffer. Output to a pipe or a file is
// block buffered, and abort() discards such buffers where exit() would have written them.
void flush_console();

// Shows the prompt and waits for one key press, leaving the terminal as it was. Returns at once
// when standard input is not a terminal, so that it never blocks an automated run.
void wait_for_key_press(const char* prompt);

}  // namespace tarn::platform
