"""The figures per item count and method, from report files whose answers are known (see
tests/data/experiment/reports/README.md)."""

import unittest

from support import FIXTURES

from experiment.aggregate import Batch, aggregate
from experiment.instances import read_instance_file
from experiment.methods import METHODS
from experiment.programs import MethodOutcome
from experiment.reports import ReportPaths, Solution, read_reports

REPORTS = FIXTURES / "reports"
INSTANCE_FILE = REPORTS / "instances.txt"


def fixture_batch(numbers, failures=None):
    """A batch of the fixture instance file with the fixture reports of the given methods;
    `failures` maps method numbers to the failure to give them instead."""
    failures = failures or {}
    instances = read_instance_file(INSTANCE_FILE)
    outcomes = {}
    for number in numbers:
        if number in failures:
            outcomes[number] = MethodOutcome(failure=failures[number])
        else:
            paths = ReportPaths.with_stem(REPORTS / f"method-{number}")
            outcomes[number] = MethodOutcome(solutions=read_reports(paths, instances))
    return Batch(INSTANCE_FILE, instances, outcomes)


def summarise(numbers, failures=None):
    methods = [METHODS[number] for number in numbers]
    return aggregate([fixture_batch(numbers, failures)], methods)


def row_of(summary, item_count, method):
    [row] = [row for row in summary.rows
             if row.item_count == item_count and row.method.number == method]
    return row


class AgreeingExactMethods(unittest.TestCase):
    def setUp(self):
        self.summary = summarise([1, 2, 4, 5])

    def test_one_row_per_item_count_and_method_in_order(self):
        self.assertEqual([(row.item_count, row.method.number) for row in self.summary.rows],
                         [(2, 1), (2, 2), (2, 4), (2, 5), (4, 1), (4, 2), (4, 4), (4, 5)])
        self.assertEqual(self.summary.problems, [])

    def test_steps_and_milliseconds(self):
        # (item count, method): instances, mean steps, max steps, mean ms, max ms
        cases = {
            (4, 1): (2, 11.0, 13, 1.0, 2),
            (4, 2): (2, 10.0, 15, 0.5, 1),
            (4, 4): (2, 12.0, 14, 2.0, 3),
            (4, 5): (2, 14.0, 19, 0.0, 0),
            (2, 1): (1, 3.0, 3, 1.0, 1),
            (2, 5): (1, 8.0, 8, 0.0, 0),
        }
        for (count, method), expected in cases.items():
            with self.subTest(items=count, method=method):
                row = row_of(self.summary, count, method)
                self.assertEqual((row.instances, row.mean_steps, row.max_steps,
                                  row.mean_milliseconds, row.max_milliseconds), expected)

    def test_errors_and_optimal_counts_of_the_greedy_methods(self):
        # (item count, method): compared, mean error, max error, optimal
        cases = {
            (4, 2): (2, 0.5, 1.0, 1),
            (4, 5): (2, 0.5, 1.0, 1),
            (2, 2): (1, 13 / 15, 13 / 15, 0),
            (2, 5): (1, 0.0, 0.0, 1),
        }
        for (count, method), (compared, mean, largest, optimal) in cases.items():
            with self.subTest(items=count, method=method):
                row = row_of(self.summary, count, method)
                self.assertEqual(row.compared, compared)
                self.assertAlmostEqual(row.mean_error, mean)
                self.assertAlmostEqual(row.max_error, largest)
                self.assertEqual(row.optimal, optimal)

    def test_exact_methods_have_no_error_figures(self):
        for row in self.summary.rows:
            if row.method.exact:
                self.assertIsNone(row.mean_error)
                self.assertIsNone(row.optimal)

    def test_one_exact_method_is_enough_for_the_errors(self):
        for exact in (1, 4):
            with self.subTest(exact=exact):
                row = row_of(summarise([exact, 2]), 4, 2)
                self.assertEqual((row.compared, row.mean_error, row.optimal), (2, 0.5, 1))


class DisagreeingExactMethods(unittest.TestCase):
    def setUp(self):
        # Method 3's file reports 4 for instance 2, whose optimum method 1 gives as 5.
        self.summary = summarise([1, 2, 3])

    def test_the_disagreement_is_reported_with_the_instance_and_both_costs(self):
        [problem] = self.summary.problems
        for fragment in ("disagree", "instance 2", str(INSTANCE_FILE), "method 1 5", "method 3 4"):
            self.assertIn(fragment, problem)

    def test_the_instance_is_left_out_of_the_errors(self):
        row = row_of(self.summary, 4, 2)
        self.assertEqual((row.instances, row.compared, row.mean_error, row.optimal), (2, 1, 0.0, 1))

    def test_instances_they_agree_on_are_still_measured(self):
        row = row_of(self.summary, 2, 2)
        self.assertEqual(row.compared, 1)
        self.assertAlmostEqual(row.mean_error, 13 / 15)


class WithoutAnExactMethod(unittest.TestCase):
    def test_the_errors_are_not_available(self):
        summary = summarise([2, 5])
        self.assertFalse(summary.has_exact_method)
        for row in summary.rows:
            self.assertEqual(row.compared, 0)
            self.assertIsNone(row.mean_error)
            self.assertIsNone(row.optimal)
            self.assertIsNotNone(row.mean_steps)


class FailedMethod(unittest.TestCase):
    def setUp(self):
        self.summary = summarise([1, 2, 4, 5], failures={4: "index out of bounds"})

    def test_its_rows_are_failed_and_name_the_method_file_and_message(self):
        for count in (2, 4):
            row = row_of(self.summary, count, 4)
            self.assertTrue(row.failed)
            self.assertIsNone(row.mean_steps)
            [failure] = row.failures
            for fragment in ("method 4", str(INSTANCE_FILE), "index out of bounds"):
                self.assertIn(fragment, failure)
        self.assertEqual(len(self.summary.problems), 1)

    def test_the_other_exact_method_still_gives_the_optimum(self):
        row = row_of(self.summary, 4, 2)
        self.assertFalse(row.failed)
        self.assertEqual((row.compared, row.mean_error), (2, 0.5))

    def test_without_any_exact_result_the_errors_are_not_available(self):
        summary = summarise([1, 2], failures={1: "killed by signal 9"})
        row = row_of(summary, 4, 2)
        self.assertEqual((row.instances, row.compared, row.mean_error), (2, 0, None))


class CostsThatCannotBeMeasured(unittest.TestCase):
    """A greedy cost above the exact optimum means one of the results is wrong: it is reported
    and left out, never averaged as a negative error."""

    def batch(self, optimum, greedy_cost):
        instances = read_instance_file(INSTANCE_FILE)[:1]
        nothing_chosen = (False,) * 4
        return Batch(INSTANCE_FILE, instances, {
            1: MethodOutcome(solutions=[Solution(1, optimum, 5, 0, nothing_chosen)]),
            2: MethodOutcome(solutions=[Solution(1, greedy_cost, 5, 0, nothing_chosen)]),
        })

    def test_cases(self):
        # optimum, greedy cost, problem expected, compared
        cases = [(90, 95, True, 0), (0, 3, True, 0), (0, 0, False, 1), (90, 45, False, 1)]
        for optimum, cost, problem, compared in cases:
            with self.subTest(optimum=optimum, cost=cost):
                summary = aggregate([self.batch(optimum, cost)], [METHODS[1], METHODS[2]])
                self.assertEqual(bool(summary.problems), problem)
                self.assertEqual(row_of(summary, 4, 2).compared, compared)
                if problem:
                    self.assertIn(f"cost {cost}", summary.problems[0])


if __name__ == "__main__":
    unittest.main()
