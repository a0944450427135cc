"""Reads the solver's three report files for one instance file and checks them against the
instances they answer.

Each instance gets one line in each file:
- solution: `id n cost` and then one 0/1 flag per item;
- cost: `id cost steps`;
- statistics: `id n cost milliseconds steps`.
"""

from dataclasses import dataclass
from pathlib import Path

from .instances import Instance


class ReportError(Exception):
    """Report files that are malformed or that contradict their instances or each other."""


@dataclass(frozen=True)
class ReportPaths:
    solution: Path
    cost: Path
    statistics: Path

    @classmethod
    def with_stem(cls, stem: Path) -> "ReportPaths":
        return cls(*(stem.with_name(f"{stem.name}.{kind}")
                     for kind in ("solution", "cost", "statistics")))


@dataclass(frozen=True)
class Solution:
    """What one method reported for one instance."""
    instance_id: int
    cost: int
    steps: int
    milliseconds: int
    chosen: tuple[bool, ...]


def read_reports(paths: ReportPaths, instances: list[Instance]) -> list[Solution]:
    """The solutions of the instances reported so far, in the order of the instance file."""
    solution_lines = _read_lines(paths.solution)
    cost_lines = _read_lines(paths.cost)
    statistics_lines = _read_lines(paths.statistics)
    counts = {len(solution_lines), len(cost_lines), len(statistics_lines)}
    if len(counts) > 1:
        raise ReportError(f"the report files have different numbers of lines: "
                          f"{len(solution_lines)} solution, {len(cost_lines)} cost and "
                          f"{len(statistics_lines)} statistics lines")
    if len(solution_lines) > len(instances):
        raise ReportError(f"{len(solution_lines)} report lines for {len(instances)} instances")
    return [
        _solution(index, instance, solution, cost, statistics, paths)
        for index, (instance, solution, cost, statistics) in enumerate(
            zip(instances, solution_lines, cost_lines, statistics_lines))
    ]


def count_reported(path: Path) -> int:
    """How many complete lines a report file holds so far (0 while it does not exist)."""
    try:
        return Path(path).read_bytes().count(b"\n")
    except OSError:
        return 0


def _read_lines(path: Path) -> list[str]:
    try:
        text = Path(path).read_text(encoding="ascii")
    except (OSError, UnicodeDecodeError) as error:
        raise ReportError(f"cannot read report file {path}: {error}") from error
    lines = text.split("\n")
    if lines.pop() != "":
        raise ReportError(f"{path}: the last line is unfinished")
    return lines


def _numbers(text: str, path: Path, index: int) -> list[int]:
    try:
        return [int(field) for field in text.split()]
    except ValueError:
        raise ReportError(f"{path}, line {index + 1}: not a line of integers: {text!r}") from None


def _solution(index: int, instance: Instance, solution_text: str, cost_text: str,
              statistics_text: str, paths: ReportPaths) -> Solution:
    where = f"line {index + 1} (instance {instance.id})"

    solution = _numbers(solution_text, paths.solution, index)
    cost = _numbers(cost_text, paths.cost, index)
    statistics = _numbers(statistics_text, paths.statistics, index)
    if len(solution) < 3:
        raise ReportError(f"{paths.solution}, {where}: expected id, item count, cost and flags")
    if len(cost) != 3:
        raise ReportError(f"{paths.cost}, {where}: expected id, cost and steps")
    if len(statistics) != 5:
        raise ReportError(f"{paths.statistics}, {where}: expected id, item count, cost, "
                          f"milliseconds and steps")

    solution_id, solution_items, solution_cost, *flags = solution
    cost_id, cost_cost, cost_steps = cost
    statistics_id, statistics_items, statistics_cost, milliseconds, statistics_steps = statistics

    if {solution_id, cost_id, statistics_id} != {instance.id}:
        raise ReportError(f"{where}: the reports name instances {solution_id}, {cost_id} and "
                          f"{statistics_id}")
    if {solution_items, statistics_items} != {instance.item_count}:
        raise ReportError(f"{where}: the reports give {solution_items} and {statistics_items} "
                          f"items, the instance has {instance.item_count}")
    if len({solution_cost, cost_cost, statistics_cost}) > 1:
        raise ReportError(f"{where}: the reports give the costs {solution_cost}, {cost_cost} "
                          f"and {statistics_cost}")
    if cost_steps != statistics_steps:
        raise ReportError(f"{where}: the reports give {cost_steps} and {statistics_steps} steps")
    if len(flags) != len(instance.weights) or not set(flags) <= {0, 1}:
        raise ReportError(f"{paths.solution}, {where}: expected {len(instance.weights)} flags "
                          f"of 0 or 1")

    chosen = tuple(flag == 1 for flag in flags)
    weight = sum(w for w, taken in zip(instance.weights, chosen) if taken)
    chosen_cost = sum(c for c, taken in zip(instance.costs, chosen) if taken)
    if weight > instance.capacity:
        raise ReportError(f"{where}: the chosen items weigh {weight}, above the capacity "
                          f"{instance.capacity}")
    if chosen_cost != solution_cost:
        raise ReportError(f"{where}: the reported cost is {solution_cost}, but the chosen items "
                          f"cost {chosen_cost}")
    return Solution(instance.id, solution_cost, cost_steps, milliseconds, chosen)
