"""The tool's command line: the item count ranges, bad arguments, --help, and a run in which
every method fails."""

import csv
import os
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

from support import ENTRY_SCRIPT, FIXTURES

from experiment.cli import UsageError, parse_items

FAKE_SOLVER = FIXTURES / "fake-solver"
ONE_ITEM = FIXTURES / "one-item.txt"


def run_tool(*arguments, environment=None):
    return subprocess.run([sys.executable, str(ENTRY_SCRIPT), *map(str, arguments)],
                          capture_output=True, text=True, timeout=120,
                          env={**os.environ, **(environment or {})})


class ItemCounts(unittest.TestCase):
    def test_accepted(self):
        cases = {
            "4:24:4": [4, 8, 12, 16, 20, 24],
            "4:22:4": [4, 8, 12, 16, 20],
            "3:5": [3, 4, 5],
            "5, 10,20": [5, 10, 20],
            "8,4,4,2:4:2": [2, 4, 8],
            "7": [7],
        }
        for text, expected in cases.items():
            with self.subTest(text=text):
                self.assertEqual(parse_items(text), expected)

    def test_rejected(self):
        for text in ("", "0", "0:4", "-4", "4:2", "4:8:0", "4:8:-1", "a", "4:b", "1:2:3:4",
                     "4,,8"):
            with self.subTest(text=text):
                with self.assertRaises(UsageError):
                    parse_items(text)


class BadArguments(unittest.TestCase):
    """Each bad argument stops the tool before it runs anything, with exit status 2 and a
    message that names the problem."""

    def test_cases(self):
        programs = ["--solver", FAKE_SOLVER, "--generator", FAKE_SOLVER]
        cases = [
            (["--methods", "6"], "'6' is not a method number 1 to 5"),
            (["--methods", "1,x"], "'x' is not a method number"),
            (["--per-count", "0"], "--per-count must be at least 1"),
            (["--per-count", "many"], "'many' is not an integer"),
            (["--items", "4:2"], "START <= STOP"),
            (["--items", "40", "--max-weight", "30"],
             "instances of 40 items need as many different weights, but only 30 exist"),
            (["--max-weight", "0"], "--max-weight must be from 1"),
            (["--max-cost", "-5"], "--max-cost must be from 1"),
            (["--capacity-ratio", "-0.5"], "--capacity-ratio must not be negative"),
            (["--capacity-ratio", "nan"], "'nan' is not a finite number"),
            (["--capacity-ratio", "1e9"], "beyond the 32-bit range"),
            (["--exponent", "inf"], "'inf' is not a finite number"),
            (["--bias", "sideways"], "invalid choice: 'sideways'"),
            (["--timeout", "-1"], "--timeout must not be negative"),
            (["--instances", ONE_ITEM, "--max-weight", "5"],
             "--max-weight set up generated instances and cannot be used with --instances"),
            (["--instances", FIXTURES / "missing.txt"], "cannot read instance file"),
            (["--instances", FIXTURES / "reports" / "method-1.cost"], "method-1.cost, line 1"),
            (["--unknown"], "unrecognized arguments: --unknown"),
        ]
        with tempfile.TemporaryDirectory() as directory:
            out = Path(directory) / "out"
            for arguments, message in cases:
                with self.subTest(arguments=arguments):
                    finished = run_tool(*programs, "--out", out, *arguments)
                    self.assertEqual(finished.returncode, 2)
                    self.assertIn(message, finished.stderr)
                    self.assertIn("usage: experiment", finished.stderr)
                    self.assertEqual(finished.stdout, "")
                    self.assertFalse(out.exists())

    def test_missing_programs_are_named(self):
        missing = Path("/nonexistent/program")
        cases = [
            (["--solver", missing, "--generator", FAKE_SOLVER], "the solver program"),
            (["--solver", FAKE_SOLVER, "--generator", missing], "the generator program"),
            (["--solver", ONE_ITEM, "--instances", ONE_ITEM], "is not executable"),
        ]
        for arguments, message in cases:
            with self.subTest(arguments=arguments):
                finished = run_tool(*arguments)
                self.assertEqual(finished.returncode, 2)
                self.assertIn(message, finished.stderr)

    def test_help_shows_the_defaults(self):
        finished = run_tool("--help")
        self.assertEqual(finished.returncode, 0)
        text = " ".join(finished.stdout.split())
        for default in ("(default 4:24:4)", "(default 20)", "(default 1,2,3,4,5)",
                        "largest weight (default 1000)", "largest cost (default 1000)",
                        "(default 0.5)", "(default none)", "(default out/experiment)",
                        "build/solver/solver)", "build/generator/generator)"):
            self.assertIn(default, text)


class EveryMethodFails(unittest.TestCase):
    def test_the_failures_are_reported_and_the_results_still_written(self):
        with tempfile.TemporaryDirectory() as directory:
            out = Path(directory)
            finished = run_tool("--solver", FAKE_SOLVER, "--instances", ONE_ITEM, "--out", out,
                                "--methods", "1,2", environment={"FAKE_SOLVER_MODE": "crash"})
            self.assertEqual(finished.returncode, 1)
            for method in ("method 1 exhaustive", "method 2 ratio greedy"):
                self.assertIn(f"{method} failed on {ONE_ITEM}: killed by signal 11",
                              finished.stderr)
            self.assertRegex(finished.stdout, r"1  1 exhaustive\s+failed")
            with open(out / "results.csv", newline="") as file:
                rows = list(csv.DictReader(file))
            self.assertEqual([(row["items"], row["method"], row["status"]) for row in rows],
                             [("1", "1", "failed"), ("1", "2", "failed")])
            self.assertIn("killed by signal 11", rows[0]["failure"])
            self.assertFalse((out / "steps.png").exists())


if __name__ == "__main__":
    unittest.main()
