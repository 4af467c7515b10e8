#!/usr/bin/env python3
"""Times whole processes renaming a folder of empty files, interleaved.

Each run makes a fresh folder of N empty files (IMG_000000.JPG, ...), then
renames every file to "x_" + its name with one tool, as one process:

  quorvel   build/cli/quorvel-cli -y -p 'x_${id}.${ext}' FOLDER   (plan table to /dev/null)
  floor     build/bench/syscall_floor: the job's own system calls and nothing else
  mmv       mmv 'FOLDER/*' 'FOLDER/x_#1'                 (when installed)
  rename    perl rename 's/^/x_/' with the names on standard input (when installed)

The tools take turns within each round, so that a slower or faster spell of
the machine falls on all of them alike. Prints the median CPU time (user +
system) and wall time of each, the ratios, and the growth from the smallest
to the largest size.

Then the window's waits at the largest size, each run a fresh process
(build/bench/window_timings, the window's own calls without drawing): the
first Add Folder, a refresh of the preview, and the heap the job's plan adds,
against the goals of 150 ms, 30 ms and 20 MB.

  bench/process_bench.py [--build build] [--files 10000 100000] [--runs 7]
                         [--places tmpfs disk]
"""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

PLACES = {"tmpfs": "/dev/shm", "disk": "/var/tmp"}


def make_folder(base, count):
    folder = tempfile.mkdtemp(prefix="quorvel-process-bench-", dir=base)
    for i in range(count):
        os.close(os.open(os.path.join(folder, "IMG_%06d.JPG" % i), os.O_CREAT | os.O_WRONLY, 0o644))
    return folder


def timed(command, stdin_text=None, env=None):
    """Runs a command; returns (cpu seconds of the child, wall seconds)."""
    start = time.perf_counter()
    process = subprocess.Popen(command, stdin=subprocess.PIPE if stdin_text else subprocess.DEVNULL,
                               stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, env=env)
    if stdin_text:
        process.stdin.write(stdin_text.encode())
        process.stdin.close()
    _, status, usage = os.wait4(process.pid, 0)
    wall = time.perf_counter() - start
    error = process.stderr.read().decode(errors="replace")
    process.stderr.close()
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit("%s failed: %s" % (command[0], error))
    return usage.ru_utime + usage.ru_stime, wall


def tools(build):
    found = {
        "quorvel": lambda folder, state: timed(
            [os.path.join(build, "cli/quorvel-cli"), "-y", "-p", "x_${id}.${ext}", folder],
            env=dict(os.environ, XDG_STATE_HOME=state)),
        "floor": lambda folder, state: timed(
            [os.path.join(build, "bench/syscall_floor"), folder, state]),
    }
    if shutil.which("mmv"):
        found["mmv"] = lambda folder, state: timed(
            ["mmv", os.path.join(folder, "*"), os.path.join(folder, "x_#1")])
    program = shutil.which("file-rename")
    if program:
        found["rename"] = lambda folder, state: timed(
            [program, "-d", "s/^/x_/"],
            stdin_text="".join(os.path.join(folder, name) + "\n"
                               for name in sorted(os.listdir(folder))))
    return found


def check_renamed(folder, count):
    names = os.listdir(folder)
    if len(names) != count or not all(name.startswith("x_IMG_") for name in names):
        sys.exit("not every file was renamed in " + folder)


def measure(place, count, runs, build):
    base = PLACES[place]
    results = {name: ([], []) for name in tools(build)}
    for _ in range(runs):
        for name, run in tools(build).items():
            folder = make_folder(base, count)
            state = tempfile.mkdtemp(prefix="quorvel-process-bench-state-", dir=base)
            try:
                cpu, wall = run(folder, state)
                check_renamed(folder, count)
            finally:
                shutil.rmtree(folder)
                shutil.rmtree(state)
            results[name][0].append(cpu)
            results[name][1].append(wall)
    return {name: (statistics.median(cpu), statistics.median(wall))
            for name, (cpu, wall) in results.items()}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default="build")
    parser.add_argument("--files", type=int, nargs="+", default=[10000, 100000])
    parser.add_argument("--runs", type=int, default=7)
    parser.add_argument("--places", nargs="+", default=["tmpfs", "disk"], choices=PLACES)
    args = parser.parse_args()
    build = os.path.abspath(args.build)

    table = {}
    for place in args.places:
        for count in args.files:
            table[place, count] = measure(place, count, args.runs, build)

    print("Median of %d interleaved runs; CPU time (user + system), wall time in brackets."
          % args.runs)
    for (place, count), medians in table.items():
        others = [medians[name][0] for name in ("mmv", "rename") if name in medians]
        print("\n%s, %d files:" % (place, count))
        for name, (cpu, wall) in medians.items():
            print("  %-8s %8.0f ms  (%6.0f ms)" % (name, cpu * 1000, wall * 1000))
        quorvel = medians["quorvel"][0]
        print("  quorvel / floor: %.2f" % (quorvel / medians["floor"][0]))
        if others:
            print("  quorvel / fastest of mmv and rename: %.2f" % (quorvel / min(others)))
    if len(args.files) > 1:
        small, large = min(args.files), max(args.files)
        for place in args.places:
            print("\n%s, growth from %d to %d files:" % (place, small, large))
            for name in table[place, small]:
                print("  %-8s %.1f times" % (name, table[place, large][name][0] /
                                            table[place, small][name][0]))
    print_window_waits(args.places, max(args.files), args.runs, build)


def window_waits(place, count, runs, build):
    folder = make_folder(PLACES[place], count)
    try:
        lines = [subprocess.run([os.path.join(build, "bench/window_timings"), folder],
                                check=True, capture_output=True, text=True).stdout.split()
                 for _ in range(runs)]
    finally:
        shutil.rmtree(folder)
    if any(int(line[3]) != count for line in lines):
        sys.exit("window_timings did not list every file in " + folder)
    return [statistics.median(float(line[i]) for line in lines) for i in range(3)]


def print_window_waits(places, count, runs, build):
    print("\nThe window at %d rows, median of %d fresh processes (goal in brackets):" % (count, runs))
    for place in places:
        add, refresh, plan = window_waits(place, count, runs, build)
        print("  %-6s first Add Folder %5.0f ms (150), refresh %4.1f ms (30), plan %5.1f MB (20)"
              % (place, add, refresh, plan * 1024 * 1024 / 1e6))


if __name__ == "__main__":
    main()
