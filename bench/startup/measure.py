#!/usr/bin/env python3
"""Start-up time, idle memory and idle CPU of a GUI program on the current X display.

measure.py [--idle] -- <command...>
Start-up is the time from spawning the process to its first visible top-level window
(xdotool, polled every 5 ms); memory is VmRSS after 10 s; CPU is user+system time used
between 10 s and 40 s (with --idle). Prints one JSON object.
"""
import json
import os
import signal
import subprocess
import sys
import time

CLOCK_TICKS = os.sysconf("SC_CLK_TCK")


def visible_window(pid):
    result = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)],
                            capture_output=True, text=True)
    return result.returncode == 0 and result.stdout.strip() != ""


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / CLOCK_TICKS


def rss_mb(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) / 1024.0
    return float("nan")


def run_once(command, idle):
    start = time.monotonic()
    process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                               start_new_session=True)
    try:
        deadline = start + 60
        while not visible_window(process.pid):
            if process.poll() is not None or time.monotonic() > deadline:
                raise RuntimeError(f"{command[0]} showed no window (exit {process.poll()})")
            time.sleep(0.005)
        shown = time.monotonic() - start
        result = {"startup_ms": round(shown * 1000, 1)}
        if idle:
            time.sleep(max(0, 10 - (time.monotonic() - start)))
            result["rss_mb"] = round(rss_mb(process.pid), 1)
            cpu_before = cpu_seconds(process.pid)
            time.sleep(30)
            result["idle_cpu_s"] = round(cpu_seconds(process.pid) - cpu_before, 3)
        return result
    finally:
        os.killpg(process.pid, signal.SIGTERM)
        try:
            process.wait(10)
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, signal.SIGKILL)
            process.wait()


def main():
    separator = sys.argv.index("--")
    idle = "--idle" in sys.argv[1:separator]
    print(json.dumps(run_once(sys.argv[separator + 1:], idle)), flush=True)


if __name__ == "__main__":
    main()
