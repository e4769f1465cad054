#include "standard_input.hpp"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include <fcntl.h>
#include <sys/time.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

// Standard input, and what is known of it once it has ended, belong to the
// process: each case runs in a child of its own. The body returns what
// went wrong, or nothing; the child's exit carries it back.
void in_child(const std::function<std::string()> &body)
{
	EXPECT_EXIT(
		{
			const std::string wrong = body();
			std::fputs(wrong.c_str(), stderr);
			std::_Exit(wrong.empty() ? 0 : 1);
		},
		testing::ExitedWithCode(0), "^$");
}

void become_standard_input(int fd)
{
	if (dup2(fd, STDIN_FILENO) < 0)
		std::abort();
	close(fd);
}

// A pipe as standard input; returns its write end.
int pipe_as_standard_input()
{
	int fds[2];
	if (pipe(fds) != 0)
		std::abort();
	become_standard_input(fds[0]);
	return fds[1];
}

// A new console as standard input; returns its master side, through which
// the test types.
int console_as_standard_input()
{
	const int master = posix_openpt(O_RDWR | O_NOCTTY);
	if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
		std::abort();
	const int slave = open(ptsname(master), O_RDWR | O_NOCTTY);
	if (slave < 0)
		std::abort();
	become_standard_input(slave);
	return master;
}

void type(int fd, const std::string &keys)
{
	if (write(fd, keys.data(), keys.size()) != static_cast<ssize_t>(keys.size()))
		std::abort();
}

std::string read_expecting(std::ptrdiff_t count, const std::string &bytes)
{
	char buffer[4096];
	const std::ptrdiff_t n = read_standard_input(buffer, sizeof buffer);
	if (n != count)
		return "read returned " + std::to_string(n) + ", expected " + std::to_string(count);
	if (n > 0 && std::string(buffer, static_cast<std::size_t>(n)) != bytes)
		return "read the wrong bytes";
	return {};
}

std::string state_expecting(bool ended, bool failed)
{
	if (standard_input_ended() != ended)
		return ended ? "input should have ended" : "input should not have ended";
	if (standard_input_failed() != failed)
		return failed ? "input should have failed" : "input should not have failed";
	return {};
}

// --- Files and pipes ---

TEST(StandardInput, PipeDeliversWhatIsThere)
{
	in_child([] {
		const int writer = pipe_as_standard_input();
		type(writer, "12\n34\n");
		std::string wrong = read_expecting(6, "12\n34\n");
		return wrong.empty() ? state_expecting(false, false) : wrong;
	});
}

TEST(StandardInput, EndOfPipeIsForGood)
{
	in_child([] {
		close(pipe_as_standard_input());
		std::string wrong = read_expecting(0, "");
		if (wrong.empty())
			wrong = state_expecting(true, false);
		// New input behind descriptor 0 is never read.
		const int writer = pipe_as_standard_input();
		type(writer, "5\n");
		return wrong.empty() ? read_expecting(0, "") : wrong;
	});
}

TEST(StandardInput, FailedReadEndsInput)
{
	in_child([] {
		become_standard_input(open(".", O_RDONLY | O_DIRECTORY));
		std::string wrong = read_expecting(-1, "");
		if (wrong.empty())
			wrong = state_expecting(true, true);
		return wrong.empty() ? read_expecting(-1, "") : wrong;
	});
}

// --- Signals ---

int alarm_writer;
volatile std::sig_atomic_t alarms;

// Only the third alarm brings data, so that a blocked read is interrupted
// twice before it can succeed.
void on_alarm(int)
{
	alarms = alarms + 1;
	if (alarms == 3) {
		const char seven = '7';
		const ssize_t written = write(alarm_writer, &seven, 1);
		(void)written; // nothing to be done about it in a handler
	}
}

TEST(StandardInput, InterruptedReadIsRetried)
{
	in_child([] {
		alarm_writer = pipe_as_standard_input();
		struct sigaction action = {};
		action.sa_handler = on_alarm; // no SA_RESTART: read fails with EINTR
		sigaction(SIGALRM, &action, nullptr);
		const struct itimerval every_10ms = {{0, 10000}, {0, 10000}};
		setitimer(ITIMER_REAL, &every_10ms, nullptr);

		std::string wrong = read_expecting(1, "7");
		const struct itimerval off = {};
		setitimer(ITIMER_REAL, &off, nullptr);
		return wrong.empty() ? state_expecting(false, false) : wrong;
	});
}

// --- Consoles ---

TEST(StandardInput, ConsoleDeliversOneLinePerRead)
{
	in_child([] {
		const int console = console_as_standard_input();
		type(console, "1\n2\n");
		std::string wrong = read_expecting(2, "1\n");
		return wrong.empty() ? read_expecting(2, "2\n") : wrong;
	});
}

TEST(StandardInput, EndKeyOnConsoleEndsOneRead)
{
	in_child([] {
		const int console = console_as_standard_input();
		type(console, "\x04");
		std::string wrong = read_expecting(0, "");
		if (wrong.empty())
			wrong = state_expecting(false, false);
		type(console, "5\n");
		return wrong.empty() ? read_expecting(2, "5\n") : wrong;
	});
}

// After the end-of-file key has shown the console to be there, a hang-up
// must still be told apart from it.
TEST(StandardInput, HungUpConsoleEndsInput)
{
	in_child([] {
		const int console = console_as_standard_input();
		type(console, "\x04");
		std::string wrong = read_expecting(0, "");
		close(console);
		char buffer[4096];
		if (wrong.empty() && read_standard_input(buffer, sizeof buffer) > 0)
			wrong = "read data from a hung-up console";
		if (wrong.empty() && !standard_input_ended())
			wrong = "input should have ended";
		return wrong;
	});
}

} // namespace
