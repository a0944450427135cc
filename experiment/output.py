"""The results as an aligned table for people and as a CSV file for other programs."""

import csv
from pathlib import Path
from typing import Optional

from .aggregate import Row, Summary

CSV_COLUMNS = ("items", "method", "method_name", "exact", "instances", "mean_steps", "max_steps",
               "mean_ms", "max_ms", "compared", "mean_error", "max_error", "optimal", "status",
               "failure")

_HEADINGS = ("items", "method", "instances", "mean steps", "max steps", "mean ms", "max ms",
             "mean error", "max error", "optimal")

NO_EXACT_METHOD = ("No exact method (1, 3 or 4) was run, so the errors of the greedy methods "
                   "are not available (n/a).")


def format_table(summary: Summary) -> str:
    """The table: one line per item count and method, a blank line between item counts."""
    lines = [_HEADINGS]
    previous_count = None
    for row in summary.rows:
        if previous_count is not None and row.item_count != previous_count:
            lines.append(None)
        previous_count = row.item_count
        lines.append(_table_cells(row))
    widths = [max(len(cells[column]) for cells in lines if cells)
              for column in range(len(_HEADINGS))]
    text = []
    for cells in lines:
        if cells is None:
            text.append("")
            continue
        # The method's name reads best aligned left, the numbers aligned right.
        text.append("  ".join(cell.ljust(width) if column == 1 else cell.rjust(width)
                              for column, (cell, width) in enumerate(zip(cells, widths)))
                    .rstrip())
    if not summary.has_exact_method:
        text += ["", NO_EXACT_METHOD]
    return "\n".join(text) + "\n"


def _table_cells(row: Row) -> tuple[str, ...]:
    if row.failed:
        return (str(row.item_count), row.method.label, "failed") + ("",) * 7
    if row.method.exact:
        errors = ("", "", "")
    elif not row.compared:
        errors = ("n/a", "n/a", "n/a")
    else:
        errors = (f"{row.mean_error:.2%}", f"{row.max_error:.2%}", f"{row.optimal}/{row.compared}")
    return (str(row.item_count), row.method.label, str(row.instances), f"{row.mean_steps:.1f}",
            str(row.max_steps), f"{row.mean_milliseconds:.2f}", str(row.max_milliseconds)) + errors


def write_csv(path: Path, summary: Summary) -> None:
    with open(path, "w", newline="", encoding="utf-8") as file:
        writer = csv.writer(file)
        writer.writerow(CSV_COLUMNS)
        for row in summary.rows:
            writer.writerow(_csv_cells(row))


def _csv_cells(row: Row) -> list[str]:
    return [
        str(row.item_count), str(row.method.number), row.method.name,
        "yes" if row.method.exact else "no", str(row.instances),
        _number(row.mean_steps), _number(row.max_steps),
        _number(row.mean_milliseconds), _number(row.max_milliseconds),
        _number(row.compared), _number(row.mean_error), _number(row.max_error),
        _number(row.optimal),
        "failed" if row.failed else "ok", "; ".join(row.failures),
    ]


def _number(value: Optional[float]) -> str:
    if value is None:
        return ""
    return str(value) if isinstance(value, int) else f"{value:.10g}"
