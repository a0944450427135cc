"""Runs the real `generator` and `solver` programs."""

import subprocess
import time
from dataclasses import dataclass
from pathlib import Path
from typing import Callable, Optional

from .instances import Instance
from .reports import ReportError, ReportPaths, Solution, count_reported, read_reports

# How often a running solver's report files are looked at for the progress display.
POLL_SECONDS = 0.2


class GeneratorError(Exception):
    """The generator did not write the instances it was asked for."""


@dataclass(frozen=True)
class GeneratorSettings:
    max_weight: int
    max_cost: int
    capacity_ratio: float
    bias: int  # -1 favours light weights, 0 none, 1 heavy weights
    exponent: float


def generate(generator: Path, destination: Path, item_count: int, instance_count: int,
             settings: GeneratorSettings) -> None:
    """Writes `instance_count` random instances of `item_count` items to `destination`."""
    arguments = [str(generator),
                 "-I", "1", "-n", str(item_count), "-N", str(instance_count),
                 "-m", repr(settings.capacity_ratio), "-k", repr(settings.exponent),
                 "-W", str(settings.max_weight), "-C", str(settings.max_cost),
                 "-d", str(settings.bias)]
    with open(destination, "wb") as output:
        try:
            finished = subprocess.run(arguments, stdout=output, stderr=subprocess.PIPE,
                                      stdin=subprocess.DEVNULL, check=False)
        except OSError as error:
            raise GeneratorError(f"cannot start the generator {generator}: {error}") from error
    if finished.returncode != 0:
        message = finished.stderr.decode(errors="replace").strip().splitlines()
        raise GeneratorError(f"the generator failed for {item_count} items "
                             f"({_status(finished.returncode)}): "
                             f"{message[-1] if message else 'no message'}")
    written = count_reported(destination)
    if written != instance_count:
        raise GeneratorError(f"the generator wrote {written} instances instead of "
                             f"{instance_count} for {item_count} items")


@dataclass(frozen=True)
class MethodOutcome:
    """One solver run over one instance file: its solutions, or why there are none."""
    solutions: Optional[list[Solution]] = None
    failure: Optional[str] = None


def solve(solver: Path, instance_file: Path, instances: list[Instance], method: int,
          reports: ReportPaths, timeout: Optional[float],
          on_progress: Callable[[int], None] = lambda reported: None) -> MethodOutcome:
    """Runs one method over one instance file and reads its reports.

    `on_progress` is told how many instances are reported while the solver runs."""
    arguments = [str(solver), str(instance_file), str(reports.solution), str(reports.cost),
                 str(reports.statistics), str(method)]
    try:
        process = subprocess.Popen(arguments, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                   stderr=subprocess.PIPE)
    except OSError as error:
        return MethodOutcome(failure=f"cannot start the solver {solver}: {error}")
    started = time.monotonic()
    while True:
        try:
            output, errors = process.communicate(timeout=POLL_SECONDS)
            break
        except subprocess.TimeoutExpired:
            on_progress(count_reported(reports.statistics))
            if timeout is not None and time.monotonic() - started >= timeout:
                process.kill()
                process.communicate()
                return MethodOutcome(failure=f"no answer within {timeout:g} s; stopped after "
                                     f"{count_reported(reports.statistics)} of "
                                     f"{len(instances)} instances")

    failure = _failure(process.returncode, output.decode(errors="replace"),
                       errors.decode(errors="replace"))
    if failure:
        return MethodOutcome(failure=failure)
    try:
        solutions = read_reports(reports, instances)
    except ReportError as error:
        return MethodOutcome(failure=f"unusable reports: {error}")
    if len(solutions) < len(instances):
        return MethodOutcome(failure=f"reported only {len(solutions)} of {len(instances)} "
                             f"instances")
    return MethodOutcome(solutions=solutions)


_EXCEPTION = "Exception : "


def _failure(status: int, output: str, errors: str) -> Optional[str]:
    """The reason a finished solver run failed, or None when it succeeded."""
    for line in output.splitlines():
        if line.startswith(_EXCEPTION):
            return line[len(_EXCEPTION):].strip()
    if status != 0:
        last_error = errors.strip().splitlines()
        return _status(status) + (f": {last_error[-1]}" if last_error else "")
    return None


def _status(status: int) -> str:
    return f"killed by signal {-status}" if status < 0 else f"exit status {status}"
