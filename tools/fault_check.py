#!/usr/bin/env python3
"""Injects faults into the sources one at a time and reports which the tests catch.

Usage: tools/fault_check.py BUILD_DIR FAULT_FILE... [--only ID,ID] [--all-programs]
                            [--timeout SECONDS]

A fault file holds blocks separated by blank lines:

    id: D1
    file: src/data/day_number.cpp
    from: year % 4 == 0
    to: year % 4 == 1
    why: leap years wrong
    tests: data_tests plot_tests      (optional; default: every test program)

`from` must occur exactly once in the file; "\\n" in `from` or `to` stands for a
line break. For each fault the file is changed, the listed test programs are
built and run in turn until one fails (caught), all pass
(missed) or one runs past the time limit (caught, as a hang). The file is put
back afterwards, also on Ctrl+C, and the build is brought up to date again.
"""
import argparse
import os
import pathlib
import signal
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
# Cheapest first, so most faults are caught before the slow window tests run.
ALL_TESTS = ["data_tests", "config_tests", "bulletin_tests", "import_tests", "plot_tests",
             "internet_tests", "app_tests", "desktop_tests", "ui_tests"]


def read_faults(path):
    faults = []
    for block in pathlib.Path(path).read_text().split("\n\n"):
        fields = {}
        for line in block.strip().splitlines():
            if line.startswith("#") or not line.strip():
                continue
            key, _, value = line.partition(": ")
            fields[key.strip()] = value
        if not fields:
            continue
        for key in ("id", "file", "from", "to"):
            if key not in fields:
                sys.exit(f"{path}: a fault lacks '{key}': {fields}")
        fields["from"] = fields["from"].replace("\\n", "\n")
        fields["to"] = fields["to"].replace("\\n", "\n")
        fields["tests"] = fields.get("tests", " ".join(ALL_TESTS)).split()
        faults.append(fields)
    return faults


def build(build_dir, targets=()):
    target_args = ["--target", *targets] if targets else []
    result = subprocess.run(["cmake", "--build", str(build_dir), "-j2", *target_args],
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                            errors="replace")
    return result.returncode == 0


def find_program(build_dir, name):
    for candidate in pathlib.Path(build_dir).rglob(name):
        if candidate.is_file() and os.access(candidate, os.X_OK):
            return candidate.resolve()
    return None


def run_tests(build_dir, names, timeout):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    for name in names:
        program = find_program(build_dir, name)
        if program is None:
            return f"no program {name}"
        try:
            result = subprocess.run([str(program), "--gtest_fail_fast", "--gtest_brief=1"],
                                    cwd=program.parent, env=env, timeout=timeout,
                                    stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                                    errors="replace",
                                    start_new_session=True)
        except subprocess.TimeoutExpired:
            return f"{name} (hang)"
        if result.returncode != 0:
            # "[  FAILED  ] Suite.Name" or "[  FAILED  ] Suite/Name/0, where GetParam() = ...";
            # the summary line "[  FAILED  ] 1 test, listed below:" names no test.
            marker = "[  FAILED  ]"
            failed = [words[0].rstrip(",") for line in result.stdout.splitlines()
                      if line.startswith(marker) and (words := line[len(marker):].split())
                      and not words[0].isdigit()]
            return f"{name}: {failed[0] if failed else 'exit ' + str(result.returncode)}"
    return None


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build_dir")
    parser.add_argument("fault_files", nargs="+")
    parser.add_argument("--only", default="")
    parser.add_argument("--timeout", type=int, default=120)
    parser.add_argument("--all-programs", action="store_true",
                        help="run every test program, not only those a fault lists")
    args = parser.parse_args()
    only = set(filter(None, args.only.split(",")))

    faults = [f for path in args.fault_files for f in read_faults(path)
              if not only or f["id"] in only]
    if args.all_programs:
        for fault in faults:
            fault["tests"] = ALL_TESTS
    signal.signal(signal.SIGINT, signal.default_int_handler)
    caught = 0
    tried = 0
    for fault in faults:
        source = ROOT / fault["file"]
        original = source.read_text()
        if original.count(fault["from"]) != 1:
            print(f"{fault['id']:5} SKIPPED: 'from' found {original.count(fault['from'])} times "
                  f"in {fault['file']}", flush=True)
            continue
        try:
            source.write_text(original.replace(fault["from"], fault["to"]))
            if not build(args.build_dir, fault["tests"]):
                print(f"{fault['id']:5} SKIPPED: does not build", flush=True)
                continue
            tried += 1
            verdict = run_tests(args.build_dir, fault["tests"], args.timeout)
        finally:
            source.write_text(original)
        caught += verdict is not None
        print(f"{fault['id']:5} {'caught by ' + verdict if verdict else 'MISSED'}"
              f"   ({fault.get('why', '')})", flush=True)
    build(args.build_dir)
    print(f"caught {caught} of {tried}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
