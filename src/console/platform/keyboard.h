#pragma once

// What the user types: standard input, Ctrl+C and the key at the end; the part of the platform
// layer that reads. One source file per platform implements it.

#include <cstddef>

// Reads what one read of standard input brings, at most size bytes: on a terminal, the line typed
// or what Ctrl+D (Ctrl+Z on Windows) ended. 0 at the end of the input, negative when it cannot be
// read.
std::ptrdiff_t read_standard_input(char* buffer, std::size_t size);

// Whether standard input comes from a terminal or console rather than from a file or a pipe.
bool standard_input_is_terminal();

// Makes Ctrl+C (and Ctrl+Break) at a prompt end the program as a failure, never as a success,
// with the prompt's line ended; at the wait for a key it is that key. Called once, first.
void handle_interrupt_keys();

// Waits for one key press at the console keyboard, without echo, and discards it. Keys typed before
// the wait do not count. Returns at once where the process has no keyboard to read.
void wait_for_key();
