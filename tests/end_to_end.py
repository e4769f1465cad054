#!/usr/bin/env python3
"""End-to-end tests of the built lettercode program.

Usage: end_to_end.py [--crlf] PROGRAM [ARG...] [-- TEST...]

PROGRAM, with any ARGs before it (an emulator), is run as a person or a
script would run it: through files, pipes and a pseudo-terminal. --crlf
expects each line end written as a carriage return and a line feed, as a
Windows build writes it. TESTs name the classes or cases to run; all by
default.
"""

import os
import pty
import select
import signal
import subprocess
import sys
import tempfile
import time
import unittest

PROGRAM = []
NEWLINE = b"\n"
DEADLINE = 5.0  # seconds: for a step that takes milliseconds

PROMPT = b"Enter decimal number (0-65535):"


def result(code, newline=None):
    newline = newline or NEWLINE
    return b"Converted Value: " + code + newline + newline


def ends(*cycles):
    """The whole output of a run over ended input: a prompt before each
    cycle's result, the last prompt, and the one closing line end."""
    out = b"".join(PROMPT + result(code) for code in cycles)
    return out + PROMPT + NEWLINE


def blocks(*lines):
    """Each line in a 4096-byte block of its own, padded with blanks, so
    that a file delivers it in a read of its own."""
    return b"".join(line.ljust(4096, b" ") for line in lines)


def model_code(digits):
    """The letter code of a decimal number, computed the long way: the
    number modulo 2**32 as a signed 32-bit value, then four digits that
    are remainders truncated toward zero of values shifted toward minus
    infinity."""
    value = int(digits) % 2**32
    if value >= 2**31:
        value -= 2**32
    code = b""
    for _ in range(4):
        digit = abs(value) % 16 * (-1 if value < 0 else 1)
        code = bytes([97 + digit]) + code
        value >>= 4
    return code


def show_bytes(expected, actual):
    return "\nexpected: %r\nactual:   %r" % (expected, actual)


def run(stdin_bytes=b"", args=(), **kwargs):
    with tempfile.TemporaryFile() as stdin:
        stdin.write(stdin_bytes)
        stdin.seek(0)
        return subprocess.run(PROGRAM + list(args), stdin=stdin,
                              stdout=kwargs.pop("stdout", subprocess.PIPE),
                              timeout=DEADLINE, **kwargs)


# --- Files: the rest of each 4096-byte block is dropped ---

def file_cases():
    """Made when the tests run, once the line end is known."""
    return [
        # name, standard input, standard output
        ("one_number", b"1234\n", ends(b"aenc")),
        ("empty_file", b"", ends()),
        ("blank_lines_only", b"\n  \n\t\n", ends()),
        ("first_line_without_number_shows_aaaa", b"abc\n", ends(b"aaaa")),
        ("number_without_line_end", b"12", ends(b"aaam")),
        ("one_block_one_number", b"1\n2\n3\n", ends(b"aaab")),
        ("one_number_per_block", blocks(b"1\n", b"2\n", b"3\n"),
         ends(b"aaab", b"aaac", b"aaad")),
        ("number_split_across_blocks", b" " * 4094 + b"1234\n", ends(b"aenc")),
        ("above_range_leaves_high_bits", blocks(b"70000\n", b"x\n", b"x\n"),
         ends(b"bbha", b"aaab", b"aaaa")),
        ("minus_one_repeats", blocks(b"-1\n", b"-\n"), ends(b"````", b"````")),
        ("wraps_modulo_2_to_32", blocks(b"4294967295\n", b"99999999999\n"),
         ends(b"````", model_code(b"99999999999"))),
        ("digits_beyond_one_block", b"1" * 4200 + b"\n",
         ends(model_code(b"1" * 4200))),
        ("carriage_returns_are_blank", b"\r\n\r\n42\r\n", ends(b"aack")),
    ]


class FilesAndPipes(unittest.TestCase):
    def test_file_cases(self):
        for name, stdin, stdout in file_cases():
            with self.subTest(name):
                done = run(stdin)
                self.assertEqual(done.stdout, stdout, show_bytes(stdout, done.stdout))
                self.assertEqual(done.returncode, 0)

    def test_arguments_are_ignored(self):
        plain = run(b"1234\n")
        with_args = run(b"1234\n", args=["--help", "-v", "5"])
        self.assertEqual(with_args.stdout, plain.stdout)
        self.assertEqual(with_args.returncode, plain.returncode)

    def test_driver_gets_prompt_before_writing(self):
        """A program driving this one over pipes sees each prompt before it
        has written anything for it."""
        with subprocess.Popen(PROGRAM, stdin=subprocess.PIPE,
                              stdout=subprocess.PIPE) as proc:
            try:
                reader = Reader(self, proc.stdout.fileno())
                reader.expect(PROMPT)
                for line, code in ((b"1234\n", b"aenc"), (b"5 6\n", b"aaaf"),
                                   (b"x\n", b"aaaa")):
                    proc.stdin.write(line)
                    proc.stdin.flush()
                    reader.expect(result(code) + PROMPT)
                proc.stdin.close()
                reader.expect(NEWLINE)
                reader.expect_end()
                self.assertEqual(proc.wait(DEADLINE), 0)
            finally:
                proc.kill()


class Reader:
    """Reads a descriptor as bytes arrive, with a deadline for each wait;
    everything read is kept in screen."""

    def __init__(self, test, fd):
        self.test, self.fd, self.screen = test, fd, b""

    def _read_some(self, until):
        ready, _, _ = select.select([self.fd], [], [], max(0, until - time.monotonic()))
        if not ready:
            return False
        try:
            chunk = os.read(self.fd, 4096)
        except OSError:  # a pseudo-terminal whose program has gone
            chunk = b""
        self.screen += chunk
        return bool(chunk)

    def expect(self, expected):
        """Reads until the screen holds what was there plus expected, and
        fails, showing both, if it holds anything else."""
        want = self.screen + expected
        until = time.monotonic() + DEADLINE
        while (len(self.screen) < len(want) and want.startswith(self.screen)
               and self._read_some(until)):
            pass
        self.test.assertEqual(self.screen, want, show_bytes(want, self.screen))

    def expect_end(self):
        until = time.monotonic() + DEADLINE
        while self._read_some(until):
            pass
        self.test.assertLess(time.monotonic(), until, "output did not end")


# --- Exit status ---

class ExitStatus(unittest.TestCase):
    def test_failed_write_is_reported(self):
        with open("/dev/full", "wb") as full:
            done = run(b"1\n2\n", stdout=full)
        self.assertEqual(done.returncode, 1)

    def test_closed_output_pipe(self):
        """The reader of the output goes away after the first prompt: the
        next write raises SIGPIPE, or, where that is ignored, fails and is
        reported when the input ends."""
        for name, sigpipe, status in (("sigpipe_default", signal.SIG_DFL, -signal.SIGPIPE),
                                      ("sigpipe_ignored", signal.SIG_IGN, 1)):
            with self.subTest(name):
                with subprocess.Popen(PROGRAM, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                      preexec_fn=lambda s=sigpipe: signal.signal(signal.SIGPIPE, s)
                                      ) as proc:
                    try:
                        Reader(self, proc.stdout.fileno()).expect(PROMPT)
                        proc.stdout.close()
                        proc.stdin.write(b"1\n")
                        proc.stdin.close()
                        self.assertEqual(proc.wait(DEADLINE), status)
                    finally:
                        proc.kill()

    def test_failed_read_is_reported(self):
        fd = os.open(".", os.O_RDONLY | os.O_DIRECTORY)
        try:
            done = subprocess.run(PROGRAM, stdin=fd, stdout=subprocess.PIPE,
                                  timeout=DEADLINE)
        finally:
            os.close(fd)
        self.assertEqual(done.stdout, ends())
        self.assertEqual(done.returncode, 1)

    def test_closed_standard_input_ends_the_program(self):
        done = subprocess.run(PROGRAM, stdout=subprocess.PIPE, timeout=DEADLINE,
                              preexec_fn=lambda: os.close(0))
        self.assertEqual(done.stdout, ends())
        self.assertEqual(done.returncode, 1)


# --- A console, as a person types at it ---

CRLF = b"\r\n"


def shown(code):
    """A result as the console shows it."""
    return result(code, CRLF)


CONSOLE_CASES = [
    # name, then the steps: keys typed, and what the screen shows next
    ("typing_1234", [(b"1234\n", b"1234\r\n" + shown(b"aenc") + PROMPT)]),
    ("second_number_dropped", [(b"5 6\n", b"5 6\r\n" + shown(b"aaaf") + PROMPT)]),
    ("above_range", [(b"70000\n", b"70000\r\n" + shown(b"bbha") + PROMPT),
                     (b"x\n", b"x\r\n" + shown(b"aaab") + PROMPT)]),
    ("minus_one_repeats", [(b"-1\n", b"-1\r\n" + shown(b"````") + PROMPT),
                           (b"abc\n", b"abc\r\n" + shown(b"````") + PROMPT)]),
    ("empty_line_writes_nothing", [(b"\n", b"\r\n"), (b"  \n", b"  \r\n"),
                                   (b"7\n", b"7\r\n" + shown(b"aaah") + PROMPT)]),
    ("lines_typed_ahead", [(b"1\n2\n", b"1\r\n2\r\n" + shown(b"aaab") + PROMPT
                            + shown(b"aaac") + PROMPT)]),
    ("end_key_at_prompt", [(b"\x04", shown(b"aaaa") + PROMPT),
                           (b"5\n", b"5\r\n" + shown(b"aaaf") + PROMPT)]),
    ("end_key_after_digits", [(b"12\x04", b"12"), (b"\x04", shown(b"aaam") + PROMPT),
                              (b"3\n", b"3\r\n" + shown(b"aaad") + PROMPT)]),
]


# A line typed at a new program, and the number it stores: a line without
# one converts the starting value, 0.
TYPED_LINES = [
    ("plain", b"42", b"42"),
    ("leading_spaces", b"   42", b"42"),
    ("plus_sign", b"+42", b"42"),
    ("minus_zero", b"-0", b"0"),
    ("leading_zeros", b"007", b"7"),
    ("no_hex_prefix", b"0x1A", b"0"),
    ("letters_after_digits", b"42abc", b"42"),
    ("second_number_dropped", b"12 34", b"12"),
    ("letters_only", b"abc", b"0"),
    ("lone_minus", b"-", b"0"),
    ("minus_space_digit", b"- 5", b"0"),
    ("uint32_max", b"4294967295", b"-1"),
    ("two_to_32", b"4294967296", b"0"),
    ("int32_max_plus_one", b"2147483648", b"-2147483648"),
    ("eleven_digits", b"99999999999", b"1215752191"),
    ("largest_prompted", b"65535", b"65535"),
    ("minus_seventeen", b"-17", b"-17"),
]


class Console:
    """The program on a new pseudo-terminal of its own, as its controlling
    terminal: what a person would have in a terminal window."""

    def __init__(self, test, ignore_hangup=False):
        pid, fd = pty.fork()
        if pid == 0:
            try:
                if ignore_hangup:
                    signal.signal(signal.SIGHUP, signal.SIG_IGN)
                os.execv(PROGRAM[0], PROGRAM)
            finally:
                os._exit(127)
        self.pid, self.fd = pid, fd
        self.reader = Reader(test, fd)

    def type(self, keys):
        os.write(self.fd, keys)

    def hang_up(self):
        os.close(self.fd)
        self.fd = None

    def wait(self):
        """The program's wait status, or None if it has not ended in time."""
        until = time.monotonic() + DEADLINE
        while time.monotonic() < until:
            pid, status = os.waitpid(self.pid, os.WNOHANG)
            if pid:
                self.pid = None
                return status
            time.sleep(0.01)  # polling, under the deadline above
        return None

    def close(self):
        if self.pid:
            os.kill(self.pid, signal.SIGKILL)
            os.waitpid(self.pid, 0)
            self.pid = None
        if self.fd is not None:
            os.close(self.fd)
            self.fd = None


class ConsoleSessions(unittest.TestCase):
    def console(self, **kwargs):
        console = Console(self, **kwargs)
        self.addCleanup(console.close)
        console.reader.expect(PROMPT)
        return console

    def test_console_cases(self):
        for name, steps in CONSOLE_CASES:
            with self.subTest(name):
                console = self.console()
                for keys, screen in steps:
                    console.type(keys)
                    console.reader.expect(screen)
                console.close()

    def test_typed_lines(self):
        for name, line, stored in TYPED_LINES:
            with self.subTest(name):
                console = self.console()
                console.type(line + b"\n")
                console.reader.expect(line + CRLF + shown(model_code(stored)) + PROMPT)
                console.close()

    def test_prompt_shows_before_anything_is_typed(self):
        self.console()

    def test_interrupt_key_stops_the_program(self):
        console = self.console()
        console.type(b"\x03")
        status = console.wait()
        self.assertIsNotNone(status, "the program went on after the interrupt key")
        self.assertTrue(os.WIFSIGNALED(status))
        self.assertEqual(os.WTERMSIG(status), signal.SIGINT)

    def test_closed_console_ends_the_program_when_hangup_is_ignored(self):
        console = self.console(ignore_hangup=True)
        console.type(b"1234\n")
        console.reader.expect(b"1234\r\n" + shown(b"aenc") + PROMPT)
        console.hang_up()
        status = console.wait()
        self.assertIsNotNone(status, "the program went on after its console closed")
        self.assertTrue(os.WIFEXITED(status))


def main():
    global NEWLINE
    args = sys.argv[1:]
    if args[:1] == ["--crlf"]:
        NEWLINE = b"\r\n"
        args = args[1:]
    tests = []
    if "--" in args:
        at = args.index("--")
        args, tests = args[:at], args[at + 1:]
    if not args:
        sys.exit(__doc__)
    PROGRAM.extend(args)
    unittest.main(argv=[sys.argv[0], "-v"] + tests)


if __name__ == "__main__":
    main()
