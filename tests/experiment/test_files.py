"""Reading instance files and the solver's report files, and rejecting what does not fit."""

import tempfile
import unittest
from pathlib import Path

from support import FIXTURES

from experiment.instances import (Instance, InstanceFileError, parse_instance_line,
                                  read_instance_file)
from experiment.reports import ReportError, ReportPaths, Solution, read_reports

REPORTS = FIXTURES / "reports"


class InstanceLines(unittest.TestCase):
    def test_accepted_lines(self):
        cases = {
            "7 2 9 4 10 6 12": Instance(7, 2, 9, (4, 6), (10, 12)),
            "  7\t2 9  4 10 6 12\r": Instance(7, 2, 9, (4, 6), (10, 12)),
            "1 1 10 3 4 5 6 end": Instance(1, 1, 10, (3,), (4,)),
            "1 0 10": Instance(1, 0, 10, (), ()),
            "1 -3 10": Instance(1, -3, 10, (), ()),
            "1 1 +10 -3 4": Instance(1, 1, 10, (-3,), (4,)),
        }
        for line, expected in cases.items():
            with self.subTest(line=line):
                self.assertEqual(parse_instance_line(line), expected)

    def test_rejected_lines(self):
        cases = {
            "": "needs an id",
            "   ": "needs an id",
            "1 2": "needs an id",
            "1 2 10 3 4": "2 items need 4 numbers after the capacity, the line has 2",
            "1 1 10 3 x": "'x' is not an integer",
            "1 1 10.5 3 4": "'10.5' is not an integer",
            "1 1 1_0 3 4": "'1_0' is not an integer",
            "1 1 3000000000 3 4": "outside the solver's 32-bit range",
        }
        for line, message in cases.items():
            with self.subTest(line=line):
                with self.assertRaises(ValueError) as raised:
                    parse_instance_line(line)
                self.assertIn(message, str(raised.exception))


class InstanceFiles(unittest.TestCase):
    def read(self, text):
        with tempfile.TemporaryDirectory() as directory:
            path = Path(directory) / "instances.txt"
            path.write_text(text)
            return read_instance_file(path)

    def test_the_last_line_may_lack_its_line_end(self):
        self.assertEqual([i.id for i in self.read("1 0 5\n2 0 5")], [1, 2])

    def test_errors_name_the_line(self):
        cases = {
            "1 0 5\n\n2 0 5\n": "line 2",  # the solver stops at an empty line
            "1 0 5\n2 0 5\n\n": "line 3",
            "1 0 5\n2 1 5 4\n": "line 2",
            "": "holds no instance",
        }
        for text, message in cases.items():
            with self.subTest(text=text):
                with self.assertRaises(InstanceFileError) as raised:
                    self.read(text)
                self.assertIn(message, str(raised.exception))

    def test_a_missing_file(self):
        with self.assertRaises(InstanceFileError) as raised:
            read_instance_file(FIXTURES / "no-such-file.txt")
        self.assertIn("cannot read instance file", str(raised.exception))


class ReportFiles(unittest.TestCase):
    """Report lines for the fixture's instance 1: capacity 10, items (weight, cost) (5, 10),
    (4, 40), (6, 30), (3, 50)."""

    SOLUTION = "1 4 90  0 1 0 1\n"
    COST = "1 90 13\n"
    STATISTICS = "1 4 90 0 13\n"

    def setUp(self):
        self.instances = read_instance_file(REPORTS / "instances.txt")
        self.directory = tempfile.TemporaryDirectory()
        self.paths = ReportPaths.with_stem(Path(self.directory.name) / "reports")

    def tearDown(self):
        self.directory.cleanup()

    def read(self, solution=SOLUTION, cost=COST, statistics=STATISTICS, instances=None):
        self.paths.solution.write_text(solution)
        self.paths.cost.write_text(cost)
        self.paths.statistics.write_text(statistics)
        return read_reports(self.paths, instances or self.instances)

    def test_the_fixture_reports(self):
        solutions = read_reports(ReportPaths.with_stem(REPORTS / "method-2"), self.instances)
        self.assertEqual(solutions, [
            Solution(1, 90, 15, 0, (False, True, False, True)),
            Solution(2, 0, 5, 1, (False,) * 4),
            Solution(3, 2, 6, 0, (True, False)),
        ])

    def test_a_run_cut_short_gives_the_lines_written_so_far(self):
        self.assertEqual(self.read(), [Solution(1, 90, 13, 0, (False, True, False, True))])
        self.assertEqual(self.read("", "", ""), [])

    def test_faulty_reports(self):
        cases = [
            ("another instance", {"cost": "7 90 13\n"}, "instances 1, 7 and 1"),
            ("another item count", {"statistics": "1 3 90 0 13\n"}, "4 and 3 items"),
            ("costs differ", {"cost": "1 80 13\n"}, "the costs 90, 80 and 90"),
            ("steps differ", {"statistics": "1 4 90 0 12\n"}, "13 and 12 steps"),
            ("a flag missing", {"solution": "1 4 90  0 1 0\n"}, "expected 4 flags"),
            ("a flag not 0 or 1", {"solution": "1 4 90  0 2 0 1\n"}, "flags of 0 or 1"),
            ("overweight", {"solution": "1 4 100  1 1 0 1\n", "cost": "1 100 13\n",
                            "statistics": "1 4 100 0 13\n"},
             "weigh 12, above the capacity 10"),
            ("wrong cost", {"solution": "1 4 95  0 1 0 1\n", "cost": "1 95 13\n",
                            "statistics": "1 4 95 0 13\n"},
             "the reported cost is 95, but the chosen items cost 90"),
            ("not numbers", {"cost": "1 90 many\n"}, "not a line of integers"),
            ("short cost line", {"cost": "1 90\n"}, "expected id, cost and steps"),
            ("short statistics line", {"statistics": "1 4 90 13\n"}, "milliseconds and steps"),
            ("short solution line", {"solution": "1 4\n"}, "expected id, item count, cost"),
            ("unfinished line", {"cost": "1 90 13"}, "the last line is unfinished"),
            ("a line missing", {"solution": ""}, "different numbers of lines"),
        ]
        for name, files, message in cases:
            with self.subTest(name):
                with self.assertRaises(ReportError) as raised:
                    self.read(**files)
                self.assertIn(message, str(raised.exception))

    def test_more_lines_than_instances(self):
        with self.assertRaises(ReportError) as raised:
            self.read(self.SOLUTION * 2, self.COST * 2, self.STATISTICS * 2,
                      instances=self.instances[:1])
        self.assertIn("2 report lines for 1 instances", str(raised.exception))


if __name__ == "__main__":
    unittest.main()
