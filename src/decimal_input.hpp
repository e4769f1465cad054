// Decimal numbers read from standard input through a read-ahead buffer.
//
// The buffer holds up to 4096 bytes and is refilled, when a character is
// wanted and none is left, by one read of the operating system. From a
// console one read returns one typed line; from a file or a pipe it
// returns whatever is there, up to 4096 bytes, which may span many lines.
#ifndef LETTERCODE_DECIMAL_INPUT_HPP
#define LETTERCODE_DECIMAL_INPUT_HPP

#include <cstdint>

// Passes over white space (tab, line feed, vertical tab, form feed,
// carriage return, space), takes an optional '+' or '-', then the digits
// '0' to '9' that follow, and stores the number into value. The digits
// accumulate modulo 2^32 and have no limit in count: 4294967295 stores -1.
// The first character that is not a digit is left unconsumed; a sign not
// followed by a digit stays consumed.
//
// Where no digit is found, value is left unchanged. A read that meets the
// end of input ends the number, or the search for one; it blocks until a
// console has a completed line.
//
// Returns false, storing nothing, when the input has ended for good: a
// file or a pipe at its end, a failed read, or a console that has hung
// up. The end-of-file key on a console that is still there ends only that
// one read. Returns true in every other case, a number stored or not;
// digits met by the end of the input are stored, and the next call
// returns false.
bool read_decimal(std::int32_t &value);

// Drops every byte read ahead and not yet consumed, so that the next
// character comes from a fresh read: from a console the rest of the typed
// line, from a file or a pipe the rest of the current block.
void discard_pending_input();

#endif
