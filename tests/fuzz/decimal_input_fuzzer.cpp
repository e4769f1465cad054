// Runs whole cycles of read_decimal, convert_value and discard_pending_input
// over scripted reads made from the fuzzer's input, and aborts where they
// differ from a model of the reading rules and the letter code written
// here in wide arithmetic.
//
// The input is a script, one read after another:
//   0x00          the end-of-file key at a console: a read of no bytes
//   0x01 bytes    a block of a file or a pipe: up to 4096 bytes, to the
//                 next control byte
//   0x02          a read that fails
//   0x03          the end of input for good; the rest is ignored
//   other bytes   a typed line: up to its line end, the next control
//                 byte, or 4096 bytes
// and the input ends for good after the last read. So a plain text file of
// lines is a console session, and the seeds are written as such.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "decimal_input.hpp"
#include "letter_code.hpp"
#include "scripted_input.hpp"

namespace {

constexpr std::size_t block_size = 4096;

bool is_control(std::uint8_t byte)
{
	return byte <= 0x03;
}

std::vector<scripted_read> parse_script(const std::uint8_t *input, std::size_t size)
{
	std::vector<scripted_read> reads;
	std::size_t at = 0;
	while (at < size) {
		const std::uint8_t byte = input[at];
		if (byte == 0x00 || byte == 0x02) {
			reads.push_back(byte == 0x00 ? end_key() : failure());
			++at;
			continue;
		}
		if (byte == 0x03)
			break;
		const bool block = byte == 0x01;
		if (block)
			++at;
		std::string bytes;
		while (at < size && !is_control(input[at]) && bytes.size() < block_size) {
			bytes += static_cast<char>(input[at++]);
			if (!block && bytes.back() == '\n')
				break;
		}
		if (!bytes.empty())
			reads.push_back(data(bytes));
	}
	reads.push_back(end());
	return reads;
}

// --- The model ---

struct model_input {
	const std::vector<scripted_read> &reads;
	std::size_t next_read = 0;
	std::string pending; // bytes read and not yet taken
	bool ended = false;

	// The next byte, or -1 where a read returned nothing.
	int take()
	{
		if (pending.empty()) {
			if (ended || next_read == reads.size())
				return -1;
			const scripted_read &read = reads[next_read++];
			if (read.what != scripted_read::kind::data) {
				ended = read.what != scripted_read::kind::end_key;
				return -1;
			}
			pending = read.bytes;
		}
		const int byte = static_cast<unsigned char>(pending[0]);
		pending.erase(0, 1);
		return byte;
	}

	void give_back(int byte)
	{
		if (byte >= 0)
			pending.insert(pending.begin(), static_cast<char>(byte));
	}
};

bool model_space(int c)
{
	return c == 9 || c == 10 || c == 11 || c == 12 || c == 13 || c == 32;
}

// One read: whether there is something to convert, with the number, if
// any, stored in value.
bool model_read(model_input &in, std::int64_t &value)
{
	int c = in.take();
	while (model_space(c))
		c = in.take();
	std::int64_t sign = 1;
	if (c == '+' || c == '-') {
		sign = c == '-' ? -1 : 1;
		c = in.take();
	}
	bool any = false;
	std::uint64_t modulo = 0; // the number modulo 2^32
	while (c >= '0' && c <= '9') {
		any = true;
		modulo = (modulo * 10 + static_cast<std::uint64_t>(c - '0')) % 4294967296U;
		c = in.take();
	}
	in.give_back(c);
	if (!any)
		return !(c < 0 && in.ended);
	std::int64_t n = static_cast<std::int64_t>(modulo) * sign;
	n = ((n % 4294967296) + 4294967296) % 4294967296; // 0 .. 2^32 - 1
	value = n >= 2147483648 ? n - 4294967296 : n;
	return true;
}

std::int64_t floor_div16(std::int64_t n)
{
	return n >= 0 ? n / 16 : -((-n + 15) / 16);
}

std::string model_code(std::int64_t &value)
{
	std::string code(4, '?');
	for (std::size_t place = 4; place-- > 0;) {
		const std::int64_t magnitude = (value < 0 ? -value : value) % 16;
		const std::int64_t digit = value < 0 ? -magnitude : magnitude;
		code[place] = static_cast<char>((97 + digit) & 0xff);
		value = floor_div16(value);
	}
	return code;
}

[[noreturn]] void differ(std::size_t cycle, const char *what, long long expected, long long actual)
{
	std::fprintf(stderr, "cycle %zu: %s: model %lld, program %lld\n", cycle, what, expected,
		     actual);
	std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
	const std::vector<scripted_read> reads = parse_script(data, size);
	script_standard_input(reads);
	discard_pending_input();
	model_input model{reads, 0, {}, false};

	std::int32_t value = 0;
	std::int64_t model_value = 0;
	result_buffer result = {'.', '.', '.', '.', '\0'};
	for (std::size_t cycle = 1;; ++cycle) {
		const bool more = read_decimal(value);
		const bool model_more = model_read(model, model_value);
		if (more != model_more)
			differ(cycle, "more input", model_more ? 1 : 0, more ? 1 : 0);
		if (!more)
			break;
		if (value != model_value)
			differ(cycle, "value read", model_value, value);

		convert_value(value, result);
		const std::string code = model_code(model_value);
		for (std::size_t i = 0; i < 4; ++i)
			if (result[i] != code[i])
				differ(cycle, "letter", static_cast<unsigned char>(code[i]),
				       static_cast<unsigned char>(result[i]));
		if (result[4] != '\0')
			differ(cycle, "terminating byte", 0, result[4]);
		if (value != model_value)
			differ(cycle, "value left", model_value, value);

		discard_pending_input();
		model.pending.clear();
	}
	if (!script_misuse().empty() || reads_made() != model.next_read) {
		std::fprintf(stderr, "reads: model %zu, program %zu %s\n", model.next_read,
			     reads_made(), script_misuse().c_str());
		std::abort();
	}
	return 0;
}
