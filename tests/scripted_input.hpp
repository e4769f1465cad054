// Scripted reads standing in for the operating system's standard input.
#ifndef LETTERCODE_TESTS_SCRIPTED_INPUT_HPP
#define LETTERCODE_TESTS_SCRIPTED_INPUT_HPP

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct scripted_read {
	enum class kind { data, end_key, end, failure };
	kind what;
	std::string bytes;
};

// One read returning these bytes: a typed line from a console, or a block
// of a file or a pipe.
scripted_read data(std::string bytes);
// One read returning nothing from a console that is still there.
scripted_read end_key();
// One read returning nothing for good: a file's end, or a hung-up console.
scripted_read end();
// One read that fails.
scripted_read failure();
// A file's contents in reads of 4096 bytes, then its end.
std::vector<scripted_read> file(std::string_view contents);

// Replaces standard input with these reads, from a fresh start.
void script_standard_input(std::vector<scripted_read> reads);
// The reads made of the script since it was set.
std::size_t reads_made();
// What was asked of the script that it could not give (a read beyond its
// end, or one too small for a scripted read's bytes), or nothing. Such a
// read fails.
const std::string &script_misuse();

#endif
