#include "standard_input.hpp"

#ifdef _WIN32
#include <io.h>
#else
#include <cerrno>

#include <poll.h>
#include <unistd.h>
#endif

namespace {

enum class input_state { open, ended, failed };

input_state state = input_state::open;

#ifdef _WIN32

std::ptrdiff_t read_once(char *buffer, std::size_t size)
{
	return _read(0, buffer, static_cast<unsigned>(size));
}

// A Windows console reports no hang-up this way; it is taken to stay.
bool console_still_there()
{
	return _isatty(0) != 0;
}

#else

std::ptrdiff_t read_once(char *buffer, std::size_t size)
{
	for (;;) {
		const ssize_t n = read(STDIN_FILENO, buffer, size);
		if (n >= 0)
			return n;
		if (errno != EINTR)
			return -1;
	}
}

// A console that has gone away while SIGHUP is ignored keeps returning
// 0-byte reads, exactly like the end-of-file key; only poll tells the two
// apart. A poll that fails counts as a hang-up: ending is better than
// spinning on empty reads.
bool console_hung_up()
{
	struct pollfd pfd = {STDIN_FILENO, POLLIN, 0};

	for (;;) {
		if (poll(&pfd, 1, 0) >= 0)
			return (pfd.revents & (POLLHUP | POLLERR)) != 0;
		if (errno != EINTR)
			return true;
	}
}

bool console_still_there()
{
	return isatty(STDIN_FILENO) != 0 && !console_hung_up();
}

#endif

} // namespace

std::ptrdiff_t read_standard_input(char *buffer, std::size_t size)
{
	if (state != input_state::open)
		return state == input_state::failed ? -1 : 0;

	const std::ptrdiff_t n = read_once(buffer, size);
	if (n < 0)
		state = input_state::failed;
	else if (n == 0 && !console_still_there())
		state = input_state::ended;
	return n;
}

bool standard_input_ended()
{
	return state != input_state::open;
}

bool standard_input_failed()
{
	return state == input_state::failed;
}
