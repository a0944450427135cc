"""The command line of the experiment tool and the run it drives."""

import argparse
import math
import os
import sys
from dataclasses import dataclass
from pathlib import Path
from typing import Optional

from .aggregate import Batch, aggregate
from .charts import CHARTS, ChartError, draw_charts
from .instances import Instance, InstanceFileError, read_instance_file
from .methods import METHODS, Method
from .output import format_table, write_csv
from .programs import GeneratorError, GeneratorSettings, generate, solve
from .progress import Progress
from .reports import ReportPaths

REPOSITORY = Path(__file__).resolve().parent.parent

DEFAULT_ITEMS = "4:24:4"
DEFAULT_PER_COUNT = 20
DEFAULT_GENERATOR_SETTINGS = GeneratorSettings(max_weight=1000, max_cost=1000, capacity_ratio=0.5,
                                               bias=0, exponent=3.0)
DEFAULT_TIMEOUT = 300.0
DEFAULT_OUT = Path("out/experiment")
DEFAULT_GENERATOR = REPOSITORY / "build/generator/generator"
DEFAULT_SOLVER = REPOSITORY / "build/solver/solver"

# Weights within an instance are distinct and the generator draws them from 1..32768 at most.
LARGEST_DRAWN_WEIGHT = 32768
INT32_MAX = 2**31 - 1
BIASES = {"light": -1, "none": 0, "heavy": 1}

RESULTS_CSV = "results.csv"


class UsageError(Exception):
    """Arguments that do not make a run."""


@dataclass(frozen=True)
class Source:
    """One instance file of the run, and for a generated one the item count to generate."""
    label: str
    path: Path
    report_stem: Path
    item_count: Optional[int] = None
    instances: Optional[list[Instance]] = None  # read up front for given files

    def report_paths(self, method: int) -> ReportPaths:
        stem = self.report_stem
        return ReportPaths.with_stem(stem.with_name(f"{stem.name}.method-{method}"))


@dataclass(frozen=True)
class Plan:
    sources: list[Source]
    methods: list[Method]
    per_count: int
    generator_settings: GeneratorSettings
    generator: Path
    solver: Path
    out: Path
    timeout: Optional[float]
    charts: bool


def build_parser() -> argparse.ArgumentParser:
    generator_defaults = DEFAULT_GENERATOR_SETTINGS
    parser = argparse.ArgumentParser(
        prog="experiment",
        description="Compares the solver's methods: generates instances for a sweep of item "
                    "counts with the generator (or takes given instance files), solves them "
                    "with every chosen method, and reports steps, time and the greedy methods' "
                    "errors as a table, a CSV file and charts.",
        epilog="Exit status: 0 when every method ran and the exact methods agreed, 1 when a "
               "method failed or the results contradict each other (everything else is still "
               "written), 2 for bad arguments.")
    sweep = parser.add_argument_group("sweep")
    sweep.add_argument("--items", metavar="COUNTS",
                       help="item counts: numbers and inclusive ranges START:STOP[:STEP], "
                            f"separated by commas, e.g. 4:24:4 or 5,10,20 (default {DEFAULT_ITEMS})")
    sweep.add_argument("--per-count", metavar="N", type=_integer_argument,
                       help=f"instances per item count (default {DEFAULT_PER_COUNT})")
    sweep.add_argument("--methods", metavar="LIST", default="1,2,3,4,5",
                       help="methods to run, separated by commas: " +
                            ", ".join(f"{m.label}" for m in METHODS.values()) +
                            " (default 1,2,3,4,5)")
    sweep.add_argument("--instances", metavar="FILE", nargs="+", type=Path,
                       help="solve these instance files instead of generating; the results are "
                            "grouped by the item count of each instance")

    settings = parser.add_argument_group("generator settings")
    settings.add_argument("--max-weight", metavar="W", type=_integer_argument,
                          help=f"largest weight (default {generator_defaults.max_weight})")
    settings.add_argument("--max-cost", metavar="C", type=_integer_argument,
                          help=f"largest cost (default {generator_defaults.max_cost})")
    settings.add_argument("--capacity-ratio", metavar="M", type=_float_argument,
                          help="capacity as a fraction of the instance's total weight "
                               f"(default {generator_defaults.capacity_ratio})")
    settings.add_argument("--bias", choices=list(BIASES),
                          help="favour light or heavy weights, or neither (default none)")
    settings.add_argument("--exponent", metavar="K", type=_float_argument,
                          help="strength of the bias: the higher, the rarer the disfavoured "
                               "weights; no effect with --bias none "
                               f"(default {generator_defaults.exponent:g})")

    running = parser.add_argument_group("programs and output")
    running.add_argument("--out", metavar="DIR", type=Path, default=DEFAULT_OUT,
                         help="folder for the instance files, report files, CSV and charts "
                              f"(default {DEFAULT_OUT})")
    running.add_argument("--generator", metavar="PATH", type=Path, default=DEFAULT_GENERATOR,
                         help=f"the generator program (default {DEFAULT_GENERATOR})")
    running.add_argument("--solver", metavar="PATH", type=Path, default=DEFAULT_SOLVER,
                         help=f"the solver program (default {DEFAULT_SOLVER})")
    running.add_argument("--timeout", metavar="SECONDS", type=_float_argument,
                         default=DEFAULT_TIMEOUT,
                         help="stop a method that has not finished an instance file after this "
                              f"long and report it as failed; 0 waits for ever "
                              f"(default {DEFAULT_TIMEOUT:g})")
    running.add_argument("--no-charts", action="store_true", help="write no charts")
    return parser


def main(argv: Optional[list[str]] = None) -> int:
    parser = build_parser()
    options = parser.parse_args(argv)
    try:
        plan = make_plan(options)
    except UsageError as error:
        parser.error(str(error))
    progress = Progress()
    try:
        return run(plan, progress)
    except KeyboardInterrupt:
        progress.clear()
        print("experiment: interrupted", file=sys.stderr)
        return 130


def run(plan: Plan, progress: Progress) -> int:
    _prepare_out(plan)
    try:
        batches = [_solve_source(plan, source, position, progress)
                   for position, source in enumerate(plan.sources, start=1)]
    except (GeneratorError, InstanceFileError) as error:
        progress.clear()
        print(f"experiment: error: {error}", file=sys.stderr)
        return 1
    progress.clear()

    summary = aggregate(batches, plan.methods)
    sys.stdout.write(format_table(summary))
    csv_path = plan.out / RESULTS_CSV
    write_csv(csv_path, summary)
    print(f"\nResults: {csv_path}")
    failed = bool(summary.problems)
    if plan.charts:
        try:
            charts = draw_charts(summary, plan.out)
            if charts:
                print("Charts: " + ", ".join(str(path) for path in charts))
        except ChartError as error:
            print(f"experiment: cannot draw the charts: {error}", file=sys.stderr)
            failed = True
    sys.stdout.flush()
    for problem in summary.problems:
        print(f"experiment: {problem}", file=sys.stderr)
    return 1 if failed else 0


def _prepare_out(plan: Plan) -> None:
    """Makes the output folders and removes the files an earlier run left there, so that the
    folder holds this run's files only."""
    instances = plan.out / "instances"
    reports = plan.out / "reports"
    instances.mkdir(parents=True, exist_ok=True)
    reports.mkdir(parents=True, exist_ok=True)
    stale = [*reports.glob("*.method-[1-5].*"), plan.out / RESULTS_CSV,
             *(plan.out / name for name in CHARTS)]
    if any(source.item_count is not None for source in plan.sources):
        stale += instances.glob("items-*.txt")
    for path in stale:
        path.unlink(missing_ok=True)


def _solve_source(plan: Plan, source: Source, position: int, progress: Progress) -> Batch:
    where = f"{source.label} ({position} of {len(plan.sources)})"
    if source.item_count is not None:
        progress.show(f"{where}: generating {plan.per_count} instances")
        generate(plan.generator, source.path, source.item_count, plan.per_count,
                 plan.generator_settings)
    instances = source.instances or read_instance_file(source.path)
    outcomes = {}
    for number, method in enumerate(plan.methods, start=1):
        doing = f"{where}, method {method.label} ({number} of {len(plan.methods)})"
        progress.show(doing)
        outcomes[method.number] = solve(
            plan.solver, source.path, instances, method.number,
            source.report_paths(method.number), plan.timeout,
            lambda reported: progress.show(f"{doing}: {reported} of {len(instances)} instances"))
    return Batch(source.path, instances, outcomes)


def make_plan(options: argparse.Namespace) -> Plan:
    """Checks the arguments together and turns them into the run's plan."""
    methods = parse_methods(options.methods)
    generating = options.instances is None
    settings = _generator_settings(options, generating)
    per_count = DEFAULT_PER_COUNT if options.per_count is None else options.per_count
    out = options.out
    if generating:
        items = parse_items(DEFAULT_ITEMS if options.items is None else options.items)
        if per_count < 1:
            raise UsageError("--per-count must be at least 1")
        reachable = min(settings.max_weight, LARGEST_DRAWN_WEIGHT)
        if items[-1] > reachable:
            raise UsageError(f"instances of {items[-1]} items need as many different weights, "
                             f"but only {reachable} exist with --max-weight "
                             f"{settings.max_weight}")
        if settings.capacity_ratio * items[-1] * reachable > INT32_MAX:
            raise UsageError(f"--capacity-ratio {settings.capacity_ratio:g} can make capacities "
                             f"beyond the 32-bit range with {items[-1]} items of weights up to "
                             f"{reachable}")
        width = len(str(items[-1]))
        sources = [Source(f"{count} items", out / "instances" / f"items-{count:0{width}d}.txt",
                          out / "reports" / f"items-{count:0{width}d}", count)
                   for count in items]
        _require_program(options.generator, "generator", "--generator")
    else:
        sources = _given_sources(options.instances, out)
    _require_program(options.solver, "solver", "--solver")
    if options.timeout < 0:
        raise UsageError("--timeout must not be negative")
    return Plan(sources, methods, per_count, settings, options.generator, options.solver, out,
                options.timeout or None, not options.no_charts)


def parse_items(text: str) -> list[int]:
    """Item counts from numbers and inclusive ranges START:STOP[:STEP], sorted, each once."""
    counts: set[int] = set()
    for piece in text.split(","):
        parts = piece.strip().split(":")
        try:
            numbers = [int(part) for part in parts]
        except ValueError:
            raise UsageError(f"--items: '{piece.strip()}' is not a number or a range "
                             f"START:STOP[:STEP]") from None
        if len(numbers) == 1:
            counts.add(numbers[0])
        elif len(numbers) in (2, 3):
            start, stop, step = numbers if len(numbers) == 3 else numbers + [1]
            if step < 1 or stop < start:
                raise UsageError(f"--items: the range '{piece.strip()}' needs START <= STOP and "
                                 f"a STEP of at least 1")
            counts.update(range(start, stop + 1, step))
        else:
            raise UsageError(f"--items: '{piece.strip()}' is not a number or a range "
                             f"START:STOP[:STEP]")
    if min(counts) < 1:
        raise UsageError("--items: item counts must be at least 1")
    return sorted(counts)


def parse_methods(text: str) -> list[Method]:
    numbers = set()
    for piece in text.split(","):
        try:
            number = int(piece)
        except ValueError:
            number = None
        if number not in METHODS:
            raise UsageError(f"--methods: '{piece.strip()}' is not a method number 1 to 5")
        numbers.add(number)
    return [METHODS[number] for number in sorted(numbers)]


def _generator_settings(options: argparse.Namespace, generating: bool) -> GeneratorSettings:
    given = {"--items": options.items, "--per-count": options.per_count,
             "--max-weight": options.max_weight, "--max-cost": options.max_cost,
             "--capacity-ratio": options.capacity_ratio, "--bias": options.bias,
             "--exponent": options.exponent}
    if not generating:
        named = [name for name, value in given.items() if value is not None]
        if named:
            raise UsageError(f"{', '.join(named)} set up generated instances and cannot be used "
                             f"with --instances")
        return DEFAULT_GENERATOR_SETTINGS
    defaults = DEFAULT_GENERATOR_SETTINGS
    settings = GeneratorSettings(
        max_weight=_or_default(options.max_weight, defaults.max_weight),
        max_cost=_or_default(options.max_cost, defaults.max_cost),
        capacity_ratio=_or_default(options.capacity_ratio, defaults.capacity_ratio),
        bias=defaults.bias if options.bias is None else BIASES[options.bias],
        exponent=_or_default(options.exponent, defaults.exponent))
    if not 1 <= settings.max_weight <= INT32_MAX:
        raise UsageError(f"--max-weight must be from 1 to {INT32_MAX}")
    if not 1 <= settings.max_cost <= INT32_MAX:
        raise UsageError(f"--max-cost must be from 1 to {INT32_MAX}")
    if settings.capacity_ratio < 0:
        raise UsageError("--capacity-ratio must not be negative")
    return settings


def _given_sources(files: list[Path], out: Path) -> list[Source]:
    sources = []
    stems: set[str] = set()
    for file in files:
        try:
            instances = read_instance_file(file)
        except InstanceFileError as error:
            raise UsageError(str(error)) from None
        stem = file.stem
        suffix = 2
        while stem in stems:  # files of the same name from different folders
            stem = f"{file.stem}-{suffix}"
            suffix += 1
        stems.add(stem)
        sources.append(Source(str(file), file, out / "reports" / stem, instances=instances))
    return sources


def _require_program(path: Path, name: str, option: str) -> None:
    if not path.is_file():
        raise UsageError(f"the {name} program {path} does not exist: build it with "
                         f"'scripts/build build', or name it with {option}")
    if not os.access(path, os.X_OK):
        raise UsageError(f"the {name} program {path} is not executable")


def _or_default(value, default):
    return default if value is None else value


def _integer_argument(text: str) -> int:
    try:
        return int(text)
    except ValueError:
        raise argparse.ArgumentTypeError(f"'{text}' is not an integer") from None


def _float_argument(text: str) -> float:
    try:
        value = float(text)
    except ValueError:
        value = math.nan
    if not math.isfinite(value):
        raise argparse.ArgumentTypeError(f"'{text}' is not a finite number")
    return value
