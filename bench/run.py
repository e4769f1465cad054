#!/usr/bin/env python3
"""Measures what lettercode costs per cycle and at start-up.

Builds the release program (cmake --workflow --preset release) and the C
floor beside this script, then prints a Markdown table: reads and writes
per cycle (strace), heap allocations (valgrind's memcheck) and
instructions (valgrind's callgrind), for standard input from a file of 1,
100 and 10,000 blocks of 4096 bytes, each holding one number and bytes to
be discarded, and from a pseudo-terminal with 1,000 typed lines.

Needs cmake, g++, cc, strace and valgrind. Instruction counts are
repeatable for the same binary and input, whatever else the machine does.
"""

import os
import pty
import re
import select
import signal
import subprocess
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
PROGRAM = os.path.join(ROOT, "build", "release", "lettercode")
PROMPT = b"Enter decimal number (0-65535):"
LINES = 1000


def block_file(directory, blocks):
    """blocks blocks of 4096 bytes: a number, its line end, and 4090-odd
    bytes of other lines that the discard drops."""
    path = os.path.join(directory, "blocks-%d" % blocks)
    with open(path, "wb") as f:
        for i in range(blocks):
            head = b"%d\n" % (i % 65536)
            f.write(head + b"9999\n" * ((4096 - len(head)) // 5) + b"\n" * ((4096 - len(head)) % 5))
    return path


def run_on_file(command, path):
    with open(path, "rb") as stdin:
        return subprocess.run(command, stdin=stdin, stdout=subprocess.DEVNULL,
                              stderr=subprocess.PIPE, check=False).stderr.decode()


class PromptCounter:
    """Counts the prompts a program writes to a descriptor."""

    def __init__(self, fd):
        self.fd, self.seen, self.tail = fd, 0, b""

    def wait_for(self, count):
        until = time.monotonic() + 60
        while self.seen < count:
            if time.monotonic() > until:
                raise SystemExit("no prompt within a minute")
            if select.select([self.fd], [], [], 1)[0]:
                data = self.tail + os.read(self.fd, 65536)
                self.seen += data.count(PROMPT)
                # A prompt cut in two by the reads is counted once whole.
                self.tail = data[-(len(PROMPT) - 1):]


def run_on_console(command, lines):
    """Runs command on a new pseudo-terminal, typing lines one by one, each
    once the program has prompted for it, then closes the terminal. The
    program's hang-up signal is ignored, so that it ends the way it does
    when its console goes away, and the tool around it can report. Returns
    what was written to standard error: the tool's report."""
    err_r, err_w = os.pipe()
    pid, fd = pty.fork()
    if pid == 0:
        signal.signal(signal.SIGHUP, signal.SIG_IGN)
        os.dup2(err_w, 2)
        os.execvp(command[0], command)
    os.close(err_w)
    prompts = PromptCounter(fd)
    prompts.wait_for(1)
    for i in range(lines):
        os.write(fd, b"%d\n" % (i % 65536))
        prompts.wait_for(i + 2)
    os.close(fd)
    with os.fdopen(err_r, "rb") as err:
        report = err.read()
    os.waitpid(pid, 0)
    return report.decode()


# Each measure takes how to run (run_on_file or run_on_console) and what
# to run on (a path, or a count of lines).

def strace(run, source):
    with tempfile.NamedTemporaryFile() as out:
        command = ["strace", "-e", "trace=read,write", "-o", out.name, PROGRAM]
        run(command, source)
        trace = open(out.name).read()
    reads = len(re.findall(r"^read\(0,", trace, re.M))
    writes = len(re.findall(r"^write\(1,", trace, re.M))
    return reads, writes


def allocations(run, source):
    report = run(["valgrind", "--tool=memcheck", PROGRAM], source)
    m = re.search(r"total heap usage: ([\d,]+) allocs", report)
    return int(m.group(1).replace(",", ""))


def instructions(run, source, program=PROGRAM):
    with tempfile.NamedTemporaryFile() as out:
        report = run(["valgrind", "--tool=callgrind", "--callgrind-out-file=" + out.name,
                      program], source)
    m = re.search(r"Collected : (\d+)", report)
    return int(m.group(1))


# Outside the cycles: the last read, which finds the end of input; the
# first prompt, and the line end written on the way out.
def per_cycle_reads(reads, cycles):
    return (reads - 1) / cycles


def per_cycle_writes(writes, cycles):
    return (writes - 2) / cycles


def main():
    subprocess.run(["cmake", "--workflow", "--preset", "release"], cwd=ROOT, check=True,
                   stdout=subprocess.DEVNULL)
    work = tempfile.mkdtemp()
    floor = os.path.join(work, "floor")
    subprocess.run(["cc", "-O2", "-o", floor, os.path.join(ROOT, "bench", "floor.c")], check=True)

    empty = os.path.join(work, "empty")
    open(empty, "wb").close()
    start = instructions(run_on_file, empty)
    floor_start = instructions(run_on_file, empty, program=floor)

    rows = []
    for blocks in (1, 100, 10000):
        path = block_file(work, blocks)
        reads, writes = strace(run_on_file, path)
        rows.append(("file, %d block%s of 4096 bytes" % (blocks, "s"[:blocks - 1]), blocks,
                     per_cycle_reads(reads, blocks), per_cycle_writes(writes, blocks),
                     allocations(run_on_file, path),
                     (instructions(run_on_file, path) - start) / blocks))
    reads, writes = strace(run_on_console, LINES)
    rows.append(("console, %d typed lines" % LINES, LINES,
                 per_cycle_reads(reads, LINES), per_cycle_writes(writes, LINES),
                 allocations(run_on_console, LINES),
                 (instructions(run_on_console, LINES) - start) / LINES))

    print("| standard input | cycles | reads per cycle | writes per cycle "
          "| heap allocations in all | instructions per cycle |")
    print("|---|---:|---:|---:|---:|---:|")
    for name, cycles, r, w, allocs, per in rows:
        print("| %s | %d | %.2f | %.2f | %d | %.0f |" % (name, cycles, r, w, allocs, per))
    print()
    print("| start-up: a run over empty input | instructions |")
    print("|---|---:|")
    print("| lettercode: start, first prompt, line end, exit | %d |" % start)
    print("| bench/floor.c: start, prompt, exit | %d |" % floor_start)
    print("| ratio | %.2f |" % (start / floor_start))


if __name__ == "__main__":
    main()
