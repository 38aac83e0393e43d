#!/usr/bin/env python3
"""Time per move at each strength level on the bench positions.

Runs kelvra-uci's own engine turn ("go" without a depth, the book off) at
every level on every position of bench/positions.h and prints a Markdown
table: the search depths used and the median, mean and longest time. A
search longer than --cap seconds is stopped and counted as the cap.

usage: bench/levels.py ./build/uci/kelvra-uci [--levels 7-10] [--cap 120]
"""
import argparse
import re
import statistics
import subprocess
import time
from pathlib import Path

LEVELS = ["Junior", "Amateur", "Advanced", "Expert", "Professional", "Grandmaster", "Impossible"]


def positions():
    text = (Path(__file__).parent / "positions.h").read_text()
    return re.findall(r'\{"([^"]+)",\s*"([^"]+)"\}', text)


def think(engine, position, cap):
    """Seconds for one engine turn, and the search depth it used."""
    engine.stdin.write(f"position {position}\ngo\n")
    engine.stdin.flush()
    start = time.monotonic()
    depth, stopped = None, False
    while True:
        if not stopped and time.monotonic() - start > cap:
            engine.stdin.write("stop\n")
            engine.stdin.flush()
            stopped = True
        line = engine.stdout.readline()
        if line.startswith("info depth") and depth is None:
            depth = int(line.split()[2])
        if line.startswith("bestmove"):
            return min(time.monotonic() - start, cap), depth, stopped


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("engine")
    parser.add_argument("--levels", default="7-10")
    parser.add_argument("--cap", type=float, default=120.0)
    args = parser.parse_args()
    first, last = (int(x) for x in args.levels.split("-"))
    engine = subprocess.Popen([args.engine], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True, bufsize=1)
    engine.stdin.write("setoption name OwnBook value false\n")
    print("| level | search depth | median | mean | longest | stopped at the cap |")
    print("|---|---|---|---|---|---|")
    for level in range(first, last + 1):
        name = LEVELS[level - 7]
        engine.stdin.write(f"setoption name Level value {name}\n")
        times, depths, stops = [], set(), 0
        for _, position in positions():
            seconds, depth, stopped = think(engine, position, args.cap)
            times.append(seconds)
            depths.add(depth)
            stops += stopped
        depth_text = "-".join(str(d) for d in sorted(d for d in depths if d is not None))
        print(f"| {name} ({level}) | {depth_text} | {statistics.median(times):.2f} s | {statistics.mean(times):.2f} s "
              f"| {max(times):.2f} s | {stops} |", flush=True)
    engine.stdin.write("quit\n")
    engine.stdin.flush()


if __name__ == "__main__":
    main()
