"""Turns the solutions of every method into one row of figures per item count and method.

The optimum of an instance is the cost on which the exact methods of the run agree. The
approximate methods are measured against it: their relative error is (optimum - cost) / optimum.
Instances without an agreed optimum are left out of the error figures, and every disagreement is
reported as a problem instead."""

from collections import defaultdict
from dataclasses import dataclass, field, replace
from pathlib import Path
from statistics import fmean
from typing import Optional

from .instances import Instance
from .methods import Method
from .programs import MethodOutcome


@dataclass(frozen=True)
class Batch:
    """One instance file and the outcome of each method run over it, by method number."""
    instance_file: Path
    instances: list[Instance]
    outcomes: dict[int, MethodOutcome]


@dataclass(frozen=True)
class Row:
    item_count: int
    method: Method
    instances: int = 0
    mean_steps: Optional[float] = None
    max_steps: Optional[int] = None
    mean_milliseconds: Optional[float] = None
    max_milliseconds: Optional[int] = None
    # For the approximate methods only: how many instances had an optimum to compare with, the
    # relative errors against it and how many instances were solved optimally.
    compared: Optional[int] = None
    mean_error: Optional[float] = None
    max_error: Optional[float] = None
    optimal: Optional[int] = None
    failures: tuple[str, ...] = ()

    @property
    def failed(self) -> bool:
        return bool(self.failures)


@dataclass
class Summary:
    rows: list[Row]
    problems: list[str] = field(default_factory=list)
    has_exact_method: bool = False


@dataclass(frozen=True)
class _Entry:
    steps: int
    milliseconds: int
    error: Optional[float]  # None when the instance has no optimum to compare with


def aggregate(batches: list[Batch], methods: list[Method]) -> Summary:
    problems: list[str] = []
    entries: dict[tuple[int, int], list[_Entry]] = defaultdict(list)
    failures: dict[tuple[int, int], list[str]] = defaultdict(list)
    item_counts: set[int] = set()

    for batch in batches:
        counts = {instance.item_count for instance in batch.instances}
        item_counts |= counts
        optima = _optima(batch, methods, problems)
        for method in methods:
            outcome = batch.outcomes[method.number]
            if outcome.solutions is None:
                message = f"method {method.label} failed on {batch.instance_file}: {outcome.failure}"
                problems.append(message)
                for count in counts:
                    failures[count, method.number].append(message)
                continue
            for instance, solution, optimum in zip(batch.instances, outcome.solutions, optima):
                error = None
                if not method.exact and optimum is not None:
                    error = _relative_error(optimum, solution.cost)
                    if error is None:
                        problems.append(
                            f"method {method.label} reports the cost {solution.cost} for "
                            f"instance {instance.id} of {batch.instance_file}, which cannot be "
                            f"measured against the optimum {optimum}")
                entries[instance.item_count, method.number].append(
                    _Entry(solution.steps, solution.milliseconds, error))

    rows = [
        _row(count, method, entries[count, method.number], failures[count, method.number])
        for count in sorted(item_counts) for method in methods
    ]
    return Summary(rows, problems, any(method.exact for method in methods))


def _optima(batch: Batch, methods: list[Method], problems: list[str]) -> list[Optional[int]]:
    """The optimum of each instance of the batch, None where no exact method gives one."""
    exact = [method for method in methods
             if method.exact and batch.outcomes[method.number].solutions is not None]
    optima: list[Optional[int]] = []
    for index, instance in enumerate(batch.instances):
        costs = {method.number: batch.outcomes[method.number].solutions[index].cost
                 for method in exact}
        if len(set(costs.values())) > 1:
            listed = ", ".join(f"method {number} {cost}" for number, cost in costs.items())
            problems.append(f"the exact methods disagree on the optimum of instance "
                            f"{instance.id} of {batch.instance_file}: {listed}")
            optima.append(None)
        else:
            optima.append(next(iter(costs.values()), None))
    return optima


def _relative_error(optimum: int, cost: int) -> Optional[float]:
    """(optimum - cost) / optimum, or None for a cost that cannot come from a correct run: one
    above the optimum, or one below an optimum that is not positive."""
    if cost == optimum:
        return 0.0
    if cost > optimum or optimum <= 0:
        return None
    return (optimum - cost) / optimum


def _row(item_count: int, method: Method, entries: list[_Entry], failures: list[str]) -> Row:
    if failures or not entries:
        return Row(item_count, method, failures=tuple(failures))
    steps = [entry.steps for entry in entries]
    milliseconds = [entry.milliseconds for entry in entries]
    row = Row(item_count, method, len(entries), fmean(steps), max(steps), fmean(milliseconds),
              max(milliseconds))
    if method.exact:
        return row
    errors = [entry.error for entry in entries if entry.error is not None]
    if not errors:
        return replace(row, compared=0)
    return replace(row, compared=len(errors), mean_error=fmean(errors), max_error=max(errors),
                    optimal=sum(1 for error in errors if error == 0.0))
