"""Runs the tool against the real generator and solver and checks its CSV against the report
files the solver wrote. Needs GENERATOR_PROGRAM and SOLVER_PROGRAM set to the built programs."""

import csv
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

from support import ENTRY_SCRIPT, program

from experiment.output import CSV_COLUMNS
from experiment.programs import GeneratorError, GeneratorSettings, generate

GENERATOR = program("GENERATOR_PROGRAM")
SOLVER = program("SOLVER_PROGRAM")
PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"


def run_tool(*arguments):
    return subprocess.run([sys.executable, str(ENTRY_SCRIPT), "--generator", str(GENERATOR),
                           "--solver", str(SOLVER), *map(str, arguments)],
                          capture_output=True, text=True, timeout=300)


def read_csv(path):
    with open(path, newline="") as file:
        reader = csv.DictReader(file)
        return list(reader.fieldnames), list(reader)


def report_columns(path):
    """The lines of a report file as lists of integers."""
    return [[int(field) for field in line.split()] for line in path.read_text().splitlines()]


@unittest.skipUnless(GENERATOR and SOLVER, "GENERATOR_PROGRAM and SOLVER_PROGRAM are not set")
class TinySweep(unittest.TestCase):
    ITEM_COUNTS = (3, 6)
    PER_COUNT = 4

    @classmethod
    def setUpClass(cls):
        cls.directory = tempfile.TemporaryDirectory()
        cls.out = Path(cls.directory.name) / "sweep"
        cls.finished = run_tool("--items", "3:6:3", "--per-count", cls.PER_COUNT,
                                "--max-weight", 40, "--max-cost", 40, "--out", cls.out)
        cls.columns, cls.rows = read_csv(cls.out / "results.csv")

    @classmethod
    def tearDownClass(cls):
        cls.directory.cleanup()

    def reports(self, count, method, kind):
        return report_columns(self.out / "reports" / f"items-{count}.method-{method}.{kind}")

    def test_the_run_succeeds_and_prints_the_table(self):
        self.assertEqual(self.finished.returncode, 0, self.finished.stderr)
        lines = self.finished.stdout.splitlines()
        self.assertTrue(lines[0].startswith("items  method"))
        self.assertRegex(self.finished.stdout, r"\n\s+6  2 ratio greedy\s+4\s")

    def test_the_instance_files_are_kept(self):
        for count in self.ITEM_COUNTS:
            lines = (self.out / "instances" / f"items-{count}.txt").read_text().splitlines()
            self.assertEqual(len(lines), self.PER_COUNT)
            for line in lines:
                self.assertEqual(len(line.split()), 3 + 2 * count)

    def test_one_csv_row_per_item_count_and_method(self):
        self.assertEqual(tuple(self.columns), CSV_COLUMNS)
        self.assertEqual([(int(row["items"]), int(row["method"])) for row in self.rows],
                         [(count, method) for count in self.ITEM_COUNTS for method in range(1, 6)])
        for row in self.rows:
            self.assertEqual((row["status"], row["instances"]), ("ok", str(self.PER_COUNT)))

    def test_steps_and_times_match_the_statistics_files(self):
        for row in self.rows:
            with self.subTest(items=row["items"], method=row["method"]):
                lines = self.reports(row["items"], row["method"], "statistics")
                steps = [line[4] for line in lines]
                milliseconds = [line[3] for line in lines]
                self.assertAlmostEqual(float(row["mean_steps"]), sum(steps) / len(steps))
                self.assertEqual(int(row["max_steps"]), max(steps))
                self.assertAlmostEqual(float(row["mean_ms"]), sum(milliseconds) / len(lines))
                self.assertEqual(int(row["max_ms"]), max(milliseconds))

    def test_errors_match_the_cost_files(self):
        for row in self.rows:
            with self.subTest(items=row["items"], method=row["method"]):
                costs = [line[1] for line in self.reports(row["items"], row["method"], "cost")]
                if row["exact"] == "yes":
                    self.assertEqual(row["mean_error"], "")
                    continue
                optima = [line[1] for line in self.reports(row["items"], 1, "cost")]
                errors = [(optimum - cost) / optimum for optimum, cost in zip(optima, costs)]
                self.assertEqual(int(row["compared"]), len(errors))
                self.assertAlmostEqual(float(row["mean_error"]), sum(errors) / len(errors))
                self.assertAlmostEqual(float(row["max_error"]), max(errors))
                self.assertEqual(int(row["optimal"]),
                                 sum(cost == optimum for optimum, cost in zip(optima, costs)))

    def test_the_charts_are_png_files(self):
        for name in ("steps.png", "time.png", "error.png"):
            with self.subTest(chart=name):
                self.assertEqual((self.out / name).read_bytes()[:8], PNG_SIGNATURE)

    def test_the_kept_instance_files_reproduce_the_results(self):
        files = [self.out / "instances" / f"items-{count}.txt" for count in self.ITEM_COUNTS]
        again = Path(self.directory.name) / "again"
        finished = run_tool("--instances", *files, "--out", again, "--no-charts")
        self.assertEqual(finished.returncode, 0, finished.stderr)
        _, rows = read_csv(again / "results.csv")
        deterministic = ("items", "method", "instances", "mean_steps", "max_steps", "compared",
                         "mean_error", "max_error", "optimal")
        self.assertEqual([[row[column] for column in deterministic] for row in rows],
                         [[row[column] for column in deterministic] for row in self.rows])
        self.assertFalse((again / "steps.png").exists())


@unittest.skipUnless(GENERATOR and SOLVER, "GENERATOR_PROGRAM and SOLVER_PROGRAM are not set")
class RepeatedRun(unittest.TestCase):
    def test_the_files_of_an_earlier_run_in_the_same_folder_are_replaced(self):
        with tempfile.TemporaryDirectory() as directory:
            out = Path(directory)
            for items, charts in (("3,4", []), ("4", ["--no-charts"])):
                finished = run_tool("--items", items, "--per-count", 2, "--methods", "1,2",
                                    "--max-weight", 20, "--out", out, *charts)
                self.assertEqual(finished.returncode, 0, finished.stderr)
            self.assertEqual(sorted(path.name for path in out.iterdir()),
                             ["instances", "reports", "results.csv"])
            self.assertEqual(sorted(path.name for path in (out / "instances").iterdir()),
                             ["items-4.txt"])
            self.assertEqual(sorted(path.name for path in (out / "reports").iterdir()),
                             [f"items-4.method-{method}.{kind}" for method in (1, 2)
                              for kind in ("cost", "solution", "statistics")])


@unittest.skipUnless(GENERATOR and SOLVER, "GENERATOR_PROGRAM and SOLVER_PROGRAM are not set")
class FailingMethod(unittest.TestCase):
    """The dynamic programming's table for a capacity of two thousand million does not fit in
    memory, so method 4 fails on that file while the other methods solve it."""

    def test_the_failure_is_reported_and_the_other_methods_written(self):
        with tempfile.TemporaryDirectory() as directory:
            directory = Path(directory)
            instances = directory / "huge-capacity.txt"
            instances.write_text("1 3 10 5 10 4 40 6 30\n2 2 2000000000 3 4 5 6\n")
            direct = subprocess.run([str(SOLVER), str(instances), *(str(directory / name)
                                     for name in ("s", "c", "t")), "4"],
                                    capture_output=True, text=True, timeout=120)
            self.assertEqual(direct.returncode, 1, "the solver was expected to fail")
            message = direct.stdout.removeprefix("Exception : ").strip()

            finished = run_tool("--instances", instances, "--out", directory / "out")
            self.assertEqual(finished.returncode, 1)
            self.assertIn(f"method 4 dynamic programming failed on {instances}: {message}",
                          finished.stderr)
            _, rows = read_csv(directory / "out" / "results.csv")
            by_method = {(row["items"], row["method"]): row for row in rows}
            for count in ("2", "3"):
                self.assertEqual(by_method[count, "4"]["status"], "failed")
                self.assertIn(message, by_method[count, "4"]["failure"])
                for method in ("1", "2", "3", "5"):
                    self.assertEqual(by_method[count, method]["status"], "ok")
            # Methods 1 and 3 still give the optima: 90 for the first instance, where the ratio
            # greedy also finds 90.
            self.assertEqual(by_method["3", "2"]["mean_error"], "0")
            self.assertEqual(by_method["3", "2"]["optimal"], "1")


@unittest.skipUnless(GENERATOR, "GENERATOR_PROGRAM is not set")
class GeneratorFailure(unittest.TestCase):
    def test_its_message_is_passed_on(self):
        direct = subprocess.run([str(GENERATOR), "-I", "1", "-n", "4", "-N", "2", "-m", "0.5",
                                 "-k", "1.0", "-W", "0", "-C", "10", "-d", "0"],
                                capture_output=True, text=True, timeout=60)
        self.assertEqual(direct.returncode, 1, "the generator was expected to reject W = 0")
        with tempfile.TemporaryDirectory() as directory:
            with self.assertRaises(GeneratorError) as raised:
                generate(GENERATOR, Path(directory) / "instances.txt", 4, 2,
                         GeneratorSettings(max_weight=0, max_cost=10, capacity_ratio=0.5,
                                           bias=0, exponent=1.0))
        self.assertEqual(str(raised.exception), "the generator failed for 4 items "
                         f"(exit status 1): {direct.stderr.strip().splitlines()[-1]}")

if __name__ == "__main__":
    unittest.main()
