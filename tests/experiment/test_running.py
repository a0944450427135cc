"""How a solver run that goes wrong is reported, with a stand-in solver that misbehaves on
purpose (tests/data/experiment/fake-solver), and the progress display of a run."""

import io
import os
import tempfile
import unittest
from pathlib import Path
from unittest import mock

from support import FIXTURES

from experiment.instances import read_instance_file
from experiment.programs import solve
from experiment.progress import Progress
from experiment.reports import ReportPaths

FAKE_SOLVER = FIXTURES / "fake-solver"
ONE_ITEM = FIXTURES / "one-item.txt"  # capacity 5, one item of weight 10


class SolverFailures(unittest.TestCase):
    def solve(self, mode, timeout=30.0):
        with tempfile.TemporaryDirectory() as directory, \
                mock.patch.dict(os.environ, {"FAKE_SOLVER_MODE": mode}):
            return solve(FAKE_SOLVER, ONE_ITEM, read_instance_file(ONE_ITEM), 1,
                         ReportPaths.with_stem(Path(directory) / "reports"), timeout)

    def test_each_failure_is_reported_with_its_reason(self):
        cases = {
            "exception": "Nedostatek pameti",
            "exception-exit-0": "index out of bounds",
            "crash": "killed by signal 11",
            "silent-failure": "exit status 3: cannot write the reports",
            "unreported": "reported only 0 of 1 instances",
            "overweight": "weigh 10, above the capacity 5",
        }
        for mode, message in cases.items():
            with self.subTest(mode=mode):
                outcome = self.solve(mode)
                self.assertIsNone(outcome.solutions)
                self.assertIn(message, outcome.failure)

    def test_the_solver_message_is_given_without_its_frame(self):
        self.assertEqual(self.solve("exception").failure, "Nedostatek pameti")

    def test_a_solver_that_does_not_finish_is_stopped(self):
        outcome = self.solve("hang", timeout=0.5)
        self.assertIsNone(outcome.solutions)
        self.assertIn("no answer within 0.5 s; stopped after 0 of 1 instances", outcome.failure)

    def test_a_solver_that_cannot_be_started(self):
        with tempfile.TemporaryDirectory() as directory:
            outcome = solve(Path(directory) / "missing", ONE_ITEM, read_instance_file(ONE_ITEM),
                            1, ReportPaths.with_stem(Path(directory) / "reports"), None)
        self.assertIn("cannot start the solver", outcome.failure)


if __name__ == "__main__":
    unittest.main()


class ProgressDisplay(unittest.TestCase):
    class Terminal(io.StringIO):
        def isatty(self):
            return True

    def test_shown_on_a_terminal_one_line_replacing_the_last(self):
        terminal = self.Terminal()
        progress = Progress(terminal)
        progress.show("4 items (1 of 6)")
        progress.show("4 items (1 of 6), method 1 exhaustive (1 of 5)")
        progress.clear()
        self.assertEqual(terminal.getvalue(),
                         "\r\x1b[K4 items (1 of 6)"
                         "\r\x1b[K4 items (1 of 6), method 1 exhaustive (1 of 5)\r\x1b[K")

    def test_silent_when_standard_error_is_not_a_terminal(self):
        stream = io.StringIO()
        progress = Progress(stream)
        progress.show("4 items (1 of 6)")
        progress.clear()
        self.assertEqual(stream.getvalue(), "")

    def test_a_running_solver_reports_its_progress(self):
        seen = []
        with tempfile.TemporaryDirectory() as directory, \
                mock.patch.dict(os.environ, {"FAKE_SOLVER_MODE": "hang"}):
            solve(FAKE_SOLVER, ONE_ITEM, read_instance_file(ONE_ITEM), 1,
                  ReportPaths.with_stem(Path(directory) / "reports"), 0.5, seen.append)
        self.assertTrue(seen)
        self.assertEqual(set(seen), {0})
