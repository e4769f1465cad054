#include "decimal_input.hpp"

#include <cstddef>

#include "standard_input.hpp"

namespace {

constexpr int end_of_input = -1;

char buffer[4096];
std::size_t position; // next byte to consume
std::size_t filled;   // bytes of buffer holding input

// A failed read counts as the end of input; whether that end is for good
// is for standard input to tell.
bool refill()
{
	const std::ptrdiff_t n = read_standard_input(buffer, sizeof buffer);
	if (n <= 0)
		return false;
	position = 0;
	filled = static_cast<std::size_t>(n);
	return true;
}

int next_char()
{
	if (position == filled && !refill())
		return end_of_input;
	return static_cast<unsigned char>(buffer[position++]);
}

// Only the character just consumed can go back; it is still in the buffer,
// since a refill happens only once every byte has been consumed.
void push_back(int c)
{
	if (c != end_of_input)
		--position;
}

bool is_space(int c)
{
	return c == ' ' || (c >= '\t' && c <= '\r');
}

bool is_digit(int c)
{
	return c >= '0' && c <= '9';
}

} // namespace

bool read_decimal(std::int32_t &value)
{
	int c = next_char();
	while (is_space(c))
		c = next_char();

	const bool negative = c == '-';
	if (c == '-' || c == '+')
		c = next_char();
	if (!is_digit(c)) {
		push_back(c);
		return c != end_of_input || !standard_input_ended();
	}

	// Unsigned, so that wrapping past 2^32 and negating INT32_MIN are
	// defined; the conversion back is modulo 2^32 since C++20.
	std::uint32_t number = 0;
	do {
		number = number * 10U + static_cast<std::uint32_t>(c - '0');
		c = next_char();
	} while (is_digit(c));
	push_back(c);

	value = static_cast<std::int32_t>(negative ? 0U - number : number);
	return true;
}

void discard_pending_input()
{
	position = filled = 0;
}
