// The four-letter code of a working value.
#ifndef LETTERCODE_LETTER_CODE_HPP
#define LETTERCODE_LETTER_CODE_HPP

#include <array>
#include <cstdint>

// Four letter digits and a terminating zero byte, which the caller sets.
using result_buffer = std::array<char, 5>;

// Writes the value's four lowest hexadecimal digits, most significant
// first, into result[0..3] as the characters 'a' + digit, and leaves value
// shifted right arithmetically by 16 bits. result[4] is never written.
//
// A digit is the remainder of a division by 16 that truncates toward zero,
// while the shift rounds toward minus infinity. For a non-negative value
// that is plain hexadecimal; a negative value gives digits from -15 to 0,
// written as the characters 'R' to '`' for -15 to -1, and 'a' for 0.
void convert_value(std::int32_t &value, result_buffer &result);

#endif
