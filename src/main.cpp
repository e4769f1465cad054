// lettercode: prompts for decimal numbers and prints their four-letter
// codes, one number from each line of standard input.

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "decimal_input.hpp"
#include "letter_code.hpp"
#include "standard_input.hpp"

namespace {

// Full buffering even on a console, so that a cycle costs one write: the
// result and the next prompt go out together when the prompt is flushed.
// The buffer is static so that stdio never allocates one.
void buffer_standard_output()
{
	static char output_buffer[BUFSIZ];
	std::setvbuf(stdout, output_buffer, _IOFBF, sizeof output_buffer);
}

// Converts one number from each line of standard input until the input has
// ended for good. Returns the exit status: failure if a read or a write
// failed.
int run_converter()
{
	std::int32_t value = 0;
	result_buffer result = {'.', '.', '.', '.', '\0'};

	for (;;) {
		std::fputs("Enter decimal number (0-65535):", stdout);
		// Before the read may block: the prompt must be on the screen,
		// or in the pipe of a program driving this one, while we wait.
		std::fflush(stdout);
		if (!read_decimal(value))
			break;
		convert_value(value, result);
		std::printf("Converted Value: %s\n\n", result.data());
		discard_pending_input();
	}
	// The last prompt has no line end of its own; the shell's prompt
	// should not follow it on the same line.
	std::putchar('\n');

	if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0 || standard_input_failed())
		return EXIT_FAILURE;
	return EXIT_SUCCESS;
}

} // namespace

int main()
{
	buffer_standard_output();
	return run_converter();
}
