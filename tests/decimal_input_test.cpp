#include "decimal_input.hpp"

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "scripted_input.hpp"

namespace {

// Held by the working value before the first read, so that a read that
// stores nothing is told apart from one that stores 0.
constexpr std::int32_t untouched = 777;

// A table's test, on standard input made of scripted reads.
template <class Row>
class ScriptedInput : public testing::TestWithParam<Row> {
protected:
	static void start(std::vector<scripted_read> reads)
	{
		script_standard_input(std::move(reads));
		discard_pending_input();
	}

	void TearDown() override
	{
		EXPECT_EQ(script_misuse(), "");
	}
};

// --- One typed line: the number stored, if any ---

struct line_case {
	const char *name;
	std::vector<scripted_read> reads; // one typed line each
	std::optional<std::int32_t> stored;
};

void PrintTo(const line_case &row, std::ostream *os)
{
	*os << row.name;
}

const line_case line_cases[] = {
	{"plain", {data("42\n")}, 42},
	{"leading_spaces", {data("   42\n")}, 42},
	{"leading_tab_vt_ff_cr", {data("\t\v\f\r42\n")}, 42},
	{"plus_sign", {data("+42\n")}, 42},
	{"minus_sign", {data("-42\n")}, -42},
	{"minus_zero", {data("-0\n")}, 0},
	{"leading_zeros", {data("007\n")}, 7},
	{"no_hex_prefix", {data("0x1A\n")}, 0},
	{"letters_after_digits", {data("42abc\n")}, 42},
	{"second_number_on_line", {data("12 34\n")}, 12},
	{"letters_only", {data("abc\n")}, std::nullopt},
	{"lone_minus", {data("-\n")}, std::nullopt},
	{"lone_plus", {data("+\n")}, std::nullopt},
	{"minus_space_digit", {data("- 5\n")}, std::nullopt},
	{"two_signs", {data("+-5\n")}, std::nullopt},
	{"empty_line_then_number", {data("\n"), data("7\n")}, 7},
	{"blank_lines_then_number", {data("\n"), data("  \t \n"), data("\n"), data("7\n")}, 7},
	{"uint32_max_wraps", {data("4294967295\n")}, -1},
	{"two_to_32_wraps", {data("4294967296\n")}, 0},
	{"int32_max", {data("2147483647\n")}, 2147483647},
	{"int32_max_plus_one_wraps", {data("2147483648\n")}, INT32_MIN},
	{"int32_min", {data("-2147483648\n")}, INT32_MIN},
	{"eleven_digits_wrap", {data("99999999999\n")}, 1215752191},
	{"minus_wraps_too", {data("-4294967297\n")}, -1},
	{"many_zeros", {data(std::string(4000, '0') + "5\n")}, 5},
	{"high_bytes_are_not_space", {data(std::string{'\xa0', '5', '\n'})}, std::nullopt},
};

class ReadTypedLine : public ScriptedInput<line_case> {};

TEST_P(ReadTypedLine, StoresTheNumberAtTheHeadOfTheInput)
{
	const line_case &row = GetParam();
	start(row.reads);

	std::int32_t value = untouched;
	EXPECT_TRUE(read_decimal(value));
	EXPECT_EQ(value, row.stored.value_or(untouched));
	EXPECT_EQ(reads_made(), row.reads.size());
}

INSTANTIATE_TEST_SUITE_P(Table, ReadTypedLine, testing::ValuesIn(line_cases),
			 testing::PrintToStringParamName());

// --- The character that ends a number is left for the next read ---

struct rest_case {
	const char *name;
	const char *line;
	std::optional<std::int32_t> first;
	std::optional<std::int32_t> second;
};

void PrintTo(const rest_case &row, std::ostream *os)
{
	*os << row.name;
}

const rest_case rest_cases[] = {
	{"space_then_number", "12 34\n", 12, 34},
	{"minus_ends_a_number", "42-7\n", 42, -7},
	{"plus_ends_a_number", "5+6\n", 5, 6},
	{"sign_stays_consumed", "-+3\n", std::nullopt, 3},
	{"space_after_sign_is_left", "- 5\n", std::nullopt, 5},
	{"letter_is_left", "abc\n", std::nullopt, std::nullopt},
	{"x_is_left", "0x1A\n", 0, std::nullopt},
};

class ReadRestOfLine : public ScriptedInput<rest_case> {};

TEST_P(ReadRestOfLine, SecondReadStartsAtTheCharacterThatEndedTheFirst)
{
	const rest_case &row = GetParam();
	start({data(row.line)});

	std::int32_t first = untouched;
	std::int32_t second = untouched;
	EXPECT_TRUE(read_decimal(first));
	EXPECT_TRUE(read_decimal(second));
	EXPECT_EQ(first, row.first.value_or(untouched));
	EXPECT_EQ(second, row.second.value_or(untouched));
	EXPECT_EQ(reads_made(), 1U);
}

INSTANTIATE_TEST_SUITE_P(Table, ReadRestOfLine, testing::ValuesIn(rest_cases),
			 testing::PrintToStringParamName());

// --- Cycles of read and discard, as the program makes them ---
//
// Once the input has ended for good, read_decimal returns false at once:
// the count of reads made shows that it asks for no more.

struct cycle {
	bool more; // what read_decimal returned
	std::int32_t value;

	bool operator==(const cycle &) const = default;
};

void PrintTo(const cycle &c, std::ostream *os)
{
	*os << "{" << (c.more ? "more" : "ended") << ", " << c.value << "}";
}

struct session_case {
	const char *name;
	std::vector<scripted_read> reads;
	std::vector<cycle> cycles;
	std::size_t reads_made;
};

void PrintTo(const session_case &row, std::ostream *os)
{
	*os << row.name;
}

// A 4096-byte block holding 1 and then 2047 lines of 9, and a second
// block holding 2: only the first line of each block is read.
const std::string two_blocks = "1\n" + std::string(4094, '9') + "2\n";
// A number whose digits 12 end one block and 34 begin the next.
const std::string split_number = std::string(4094, ' ') + "1234\n";

// One row a line, however long.
// clang-format off
const session_case session_cases[] = {
	// What the discard drops.
	{"rest_of_typed_line_dropped", {data("12 34\n"), data("56\n")}, {{true, 12}, {true, 56}}, 2},
	{"pushed_back_char_dropped", {data("42-7\n"), data("8\n")}, {{true, 42}, {true, 8}}, 2},
	{"rest_of_block_dropped", file("1\n2\n3\n"), {{true, 1}, {false, 1}}, 2},
	{"next_block_read", file(two_blocks), {{true, 1}, {true, 2}, {false, 2}}, 3},
	{"number_split_across_blocks", file(split_number), {{true, 1234}, {false, 1234}}, 3},

	// The end of input on a console that is still there.
	{"end_key_at_prompt", {end_key(), data("5\n")}, {{true, untouched}, {true, 5}}, 2},
	{"end_key_after_digits", {data("12"), end_key(), data("5\n")}, {{true, 12}, {true, 5}}, 3},
	{"end_key_after_sign", {data("-"), end_key(), data("5\n")}, {{true, untouched}, {true, 5}}, 3},
	{"end_key_after_blank_line", {data("\n"), end_key(), data("5\n")}, {{true, untouched}, {true, 5}}, 3},

	// The end of input for good.
	{"empty_file", file(""), {{false, untouched}, {false, untouched}}, 1},
	{"blank_file", file(" \n\t\n\n"), {{false, untouched}}, 2},
	{"file_ends_in_digits", file("12"), {{true, 12}, {false, 12}}, 2},
	{"file_ends_after_sign", file("-"), {{false, untouched}}, 2},
	{"file_ends_in_letters", file("abc"), {{true, untouched}, {false, untouched}}, 2},
	{"console_hangs_up", {data("3\n"), end()}, {{true, 3}, {false, 3}}, 2},
	{"hang_up_after_digits", {data("3"), end()}, {{true, 3}, {false, 3}}, 2},

	// A failed read ends the input as well.
	{"failure_first", {failure()}, {{false, untouched}, {false, untouched}}, 1},
	{"failure_after_digits", {data("12"), failure()}, {{true, 12}, {false, 12}}, 2},
	{"failure_after_end_key", {end_key(), failure()}, {{true, untouched}, {false, untouched}}, 2},
};
// clang-format on

class ReadAndDiscard : public ScriptedInput<session_case> {};

TEST_P(ReadAndDiscard, EachCycleStartsWithAFreshRead)
{
	const session_case &row = GetParam();
	start(row.reads);

	std::vector<cycle> cycles;
	std::int32_t value = untouched;
	for (std::size_t i = 0; i < row.cycles.size(); ++i) {
		const bool more = read_decimal(value);
		discard_pending_input();
		cycles.push_back({more, value});
	}
	EXPECT_EQ(cycles, row.cycles);
	EXPECT_EQ(reads_made(), row.reads_made);
}

INSTANTIATE_TEST_SUITE_P(Table, ReadAndDiscard, testing::ValuesIn(session_cases),
			 testing::PrintToStringParamName());

} // namespace
