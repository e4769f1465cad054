// Checks convert_value on every 32-bit working value against the letter
// code worked out from its definition in wide arithmetic: each digit the
// remainder, truncated toward zero, of the value divided by 16 after it
// has been divided by 16 as many times as the digit's place, each of those
// divisions rounding toward minus infinity.

#include "letter_code.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

namespace {

std::int64_t floor_divide(std::int64_t n, std::int64_t d)
{
	const std::int64_t q = n / d;
	return (n % d != 0 && n < 0) ? q - 1 : q;
}

std::int64_t truncated_remainder(std::int64_t n, std::int64_t d)
{
	return n - d * (n / d);
}

struct mismatch {
	std::int64_t value;
	char code[5];
	std::int32_t after;
};

std::mutex report_lock;
std::vector<mismatch> mismatches;

void check_range(std::int64_t first, std::int64_t last)
{
	for (std::int64_t v = first; v <= last; ++v) {
		std::int32_t value = static_cast<std::int32_t>(v);
		result_buffer result = {'#', '#', '#', '#', '#'};
		convert_value(value, result);

		bool same = result[4] == '#' && value == floor_divide(v, 65536);
		std::int64_t rest = v;
		for (int place = 3; place >= 0; --place) {
			const std::int64_t digit = truncated_remainder(rest, 16);
			same = same && result[static_cast<std::size_t>(place)] ==
					       static_cast<char>((97 + digit) & 0xff);
			rest = floor_divide(rest, 16);
		}
		if (!same) {
			const std::lock_guard<std::mutex> hold(report_lock);
			if (mismatches.size() < 10)
				mismatches.push_back(
					{v,
					 {result[0], result[1], result[2], result[3], '\0'},
					 value});
		}
	}
}

} // namespace

int main()
{
	constexpr std::int64_t lowest = INT32_MIN;
	constexpr std::int64_t count = std::int64_t{1} << 32;
	const std::int64_t workers = std::max(1U, std::thread::hardware_concurrency());

	std::vector<std::thread> threads;
	for (std::int64_t w = 0; w < workers; ++w) {
		const std::int64_t first = lowest + count * w / workers;
		const std::int64_t last = lowest + count * (w + 1) / workers - 1;
		threads.emplace_back(check_range, first, last);
	}
	for (std::thread &t : threads)
		t.join();

	for (const mismatch &m : mismatches)
		std::printf("value %lld: wrote \"%s\", left %d\n", static_cast<long long>(m.value),
			    m.code, m.after);
	std::printf("%lld values checked in %lld threads: %s\n", static_cast<long long>(count),
		    static_cast<long long>(workers), mismatches.empty() ? "all match" : "MISMATCH");
	return mismatches.empty() ? EXIT_SUCCESS : EXIT_FAILURE;
}
