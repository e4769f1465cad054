#include "letter_code.hpp"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

std::string letters(const result_buffer &result)
{
	return {result.data(), 4};
}

// --- One conversion: the code written and the value left behind ---

struct conversion_case {
	const char *name;
	std::int32_t before;
	const char *code;
	std::int32_t after;
};

void PrintTo(const conversion_case &row, std::ostream *os)
{
	*os << row.name;
}

const conversion_case conversion_cases[] = {
	{"zero", 0, "aaaa", 0},
	{"one", 1, "aaab", 0},
	{"fifteen", 15, "aaap", 0},
	{"sixteen", 16, "aaba", 0},
	{"two_digits_full", 255, "aapp", 0},
	{"third_digit", 256, "abaa", 0},
	{"example_1234", 1234, "aenc", 0},
	{"hex_1234", 4660, "bcde", 0},
	{"hex_abcd", 43981, "klmn", 0},
	{"largest_prompted", 65535, "pppp", 0},
	{"first_past_16_bits", 65536, "aaaa", 1},
	{"above_range", 70000, "bbha", 1},
	{"int32_max", 2147483647, "pppp", 32767},
	{"minus_one", -1, "````", -1},
	{"minus_sixteen", -16, "```a", -1},
	{"minus_seventeen", -17, "``_`", -1},
	{"minus_65536", -65536, "aaaa", -1},
	{"minus_65537", -65537, "````", -2},
	{"int32_min", INT32_MIN, "aaaa", -32768},
	{"negative_mixed_digits", -0xfedc, "aRSU", -1},
};

class ConvertValue : public testing::TestWithParam<conversion_case> {};

TEST_P(ConvertValue, WritesCodeAndLeavesValueShifted)
{
	const conversion_case &row = GetParam();
	std::int32_t value = row.before;
	result_buffer result = {'#', '#', '#', '#', '#'};

	convert_value(value, result);

	EXPECT_EQ(letters(result), row.code);
	EXPECT_EQ(value, row.after);
	EXPECT_EQ(result[4], '#') << "the terminating byte was written";
}

INSTANTIATE_TEST_SUITE_P(Table, ConvertValue, testing::ValuesIn(conversion_cases),
			 testing::PrintToStringParamName());

// --- Repeated conversions: what a line without a number shows ---

struct leftover_case {
	const char *name;
	std::int32_t start;
	std::vector<std::string> codes;
};

void PrintTo(const leftover_case &row, std::ostream *os)
{
	*os << row.name;
}

const leftover_case leftover_cases[] = {
	{"in_range_leaves_zero", 1234, {"aenc", "aaaa", "aaaa"}},
	{"above_range_shows_high_bits", 70000, {"bbha", "aaab", "aaaa"}},
	{"minus_one_repeats", -1, {"````", "````", "````"}},
	{"int32_min_sinks_to_minus_one", INT32_MIN, {"aaaa", "Yaaa", "````"}},
};

class ConvertLeftover : public testing::TestWithParam<leftover_case> {};

TEST_P(ConvertLeftover, EachConversionWorksOnWhatTheLastLeft)
{
	const leftover_case &row = GetParam();
	std::int32_t value = row.start;
	result_buffer result = {'.', '.', '.', '.', '\0'};

	for (std::size_t i = 0; i < row.codes.size(); ++i) {
		convert_value(value, result);
		EXPECT_EQ(letters(result), row.codes[i]) << "conversion " << i + 1;
	}
}

INSTANTIATE_TEST_SUITE_P(Table, ConvertLeftover, testing::ValuesIn(leftover_cases),
			 testing::PrintToStringParamName());

// --- The prompted range, against the printf hexadecimal of each value ---

TEST(ConvertValueRange, EveryPromptedValueIsItsHexDigitsInLetters)
{
	for (std::int32_t n = 0; n <= 65535; ++n) {
		char hex[5];
		std::snprintf(hex, sizeof hex, "%04x", static_cast<unsigned>(n));
		std::string expected;
		for (const char h : std::string(hex))
			expected += static_cast<char>(h <= '9' ? 'a' + (h - '0') : 'k' + (h - 'a'));

		std::int32_t value = n;
		result_buffer result = {'.', '.', '.', '.', '\0'};
		convert_value(value, result);
		ASSERT_EQ(letters(result), expected) << "value " << n;
		ASSERT_EQ(value, 0) << "value " << n;
	}
}

} // namespace
