#include "scripted_input.hpp"

#include <utility>

#include "standard_input.hpp"

namespace {

std::vector<scripted_read> script;
std::size_t next_read;
bool ended;
bool failed;
std::string misuse;

std::ptrdiff_t misused(std::string what)
{
	if (misuse.empty())
		misuse = std::move(what);
	ended = failed = true;
	return -1;
}

} // namespace

scripted_read data(std::string bytes)
{
	return {scripted_read::kind::data, std::move(bytes)};
}

scripted_read end_key()
{
	return {scripted_read::kind::end_key, {}};
}

scripted_read end()
{
	return {scripted_read::kind::end, {}};
}

scripted_read failure()
{
	return {scripted_read::kind::failure, {}};
}

std::vector<scripted_read> file(std::string_view contents)
{
	std::vector<scripted_read> reads;
	for (std::size_t at = 0; at < contents.size(); at += 4096)
		reads.push_back(data(std::string(contents.substr(at, 4096))));
	reads.push_back(end());
	return reads;
}

void script_standard_input(std::vector<scripted_read> reads)
{
	script = std::move(reads);
	next_read = 0;
	ended = failed = false;
	misuse.clear();
}

std::size_t reads_made()
{
	return next_read;
}

const std::string &script_misuse()
{
	return misuse;
}

// The same contract as the operating system's: once the input has ended
// for good, no read is made.
std::ptrdiff_t read_standard_input(char *buffer, std::size_t size)
{
	if (ended)
		return failed ? -1 : 0;
	if (next_read == script.size())
		return misused("read " + std::to_string(next_read + 1) + " is beyond the script");

	const scripted_read &read = script[next_read++];
	switch (read.what) {
	case scripted_read::kind::data:
		if (read.bytes.empty() || read.bytes.size() > size)
			return misused("a scripted read of " + std::to_string(read.bytes.size()) +
				       " bytes into " + std::to_string(size));
		read.bytes.copy(buffer, read.bytes.size());
		return static_cast<std::ptrdiff_t>(read.bytes.size());
	case scripted_read::kind::end_key:
		return 0;
	case scripted_read::kind::end:
		ended = true;
		return 0;
	case scripted_read::kind::failure:
		ended = failed = true;
		return -1;
	}
	return -1;
}

bool standard_input_ended()
{
	return ended;
}

bool standard_input_failed()
{
	return failed;
}
