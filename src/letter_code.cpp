#include "letter_code.hpp"

void convert_value(std::int32_t &value, result_buffer &result)
{
	for (std::size_t i = 4; i-- > 0;) {
		// Both operations are defined for every int32_t: % truncates
		// toward zero (-15..15), and >> of a negative value is an
		// arithmetic shift since C++20.
		const int digit = value % 16;
		result[i] = static_cast<char>('a' + digit);
		value >>= 4;
	}
}
