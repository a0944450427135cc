"""Reads instance files: one instance per line, `id n capacity` and then a weight and a cost for
each item, all whitespace-separated integers."""

import re
from dataclasses import dataclass
from pathlib import Path

_INTEGER = re.compile(r"[+-]?[0-9]+")
_INT32 = range(-2**31, 2**31)


class InstanceFileError(Exception):
    """An instance file that cannot be read or that the solver would stop at."""


@dataclass(frozen=True)
class Instance:
    id: int
    item_count: int  # as written; a negative count means no items, as in the solver
    capacity: int
    weights: tuple[int, ...]
    costs: tuple[int, ...]


def parse_instance_line(text: str) -> Instance:
    """Parses one instance line; raises ValueError with the reason when it is not one."""
    fields = text.split()
    if len(fields) < 3:
        raise ValueError("an instance line needs an id, an item count and a capacity")
    head = [_integer(field) for field in fields[:3]]
    instance_id, item_count, capacity = head
    pairs = max(item_count, 0)
    if len(fields) < 3 + 2 * pairs:
        raise ValueError(f"{item_count} items need {2 * pairs} numbers after the capacity, "
                         f"the line has {len(fields) - 3}")
    numbers = [_integer(field) for field in fields[3:3 + 2 * pairs]]
    # Whatever follows the last pair is ignored, as the solver ignores it.
    return Instance(instance_id, item_count, capacity, tuple(numbers[0::2]), tuple(numbers[1::2]))


def read_instance_file(path: Path) -> list[Instance]:
    try:
        text = Path(path).read_text(encoding="ascii")
    except (OSError, UnicodeDecodeError) as error:
        raise InstanceFileError(f"cannot read instance file {path}: {error}") from error
    instances = []
    lines = text.split("\n")
    if lines[-1] == "":
        lines.pop()  # the line end of the last line
    for number, line in enumerate(lines, start=1):
        try:
            instances.append(parse_instance_line(line))
        except ValueError as error:
            raise InstanceFileError(f"{path}, line {number}: {error}") from error
    if not instances:
        raise InstanceFileError(f"instance file {path} holds no instance")
    return instances


def _integer(field: str) -> int:
    if not _INTEGER.fullmatch(field):
        raise ValueError(f"'{field}' is not an integer")
    value = int(field)
    if value not in _INT32:
        raise ValueError(f"{field} is outside the solver's 32-bit range")
    return value
