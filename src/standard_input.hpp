// Standard input as the operating system delivers it: the one place that
// makes system calls on it and knows a console from a file or a pipe.
#ifndef LETTERCODE_STANDARD_INPUT_HPP
#define LETTERCODE_STANDARD_INPUT_HPP

#include <cstddef>

// Reads at most size bytes into buffer with one read of the operating
// system, retried when a signal interrupts it. Returns the count read
// (> 0), 0 at the end of input, or -1 when the read failed.
//
// From a console that is still there, 0 means only that the end-of-file
// key was pressed, and typing may go on. Any other 0 or -1 ends the input
// for good: later calls return the same at once, without reading.
std::ptrdiff_t read_standard_input(char *buffer, std::size_t size);

// Whether the input has ended for good: a file or a pipe at its end, a
// failed read, or a console that has hung up.
bool standard_input_ended();

// Whether a read of standard input has failed.
bool standard_input_failed();

#endif
