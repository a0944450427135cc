"""Draws the charts of a summary as PNG files with matplotlib."""

import math
from pathlib import Path
from typing import Callable, Optional

from .aggregate import Row, Summary

STEPS_CHART = "steps.png"
TIME_CHART = "time.png"
ERROR_CHART = "error.png"
CHARTS = (STEPS_CHART, TIME_CHART, ERROR_CHART)


class ChartError(Exception):
    """The charts cannot be drawn on this machine."""


def draw_charts(summary: Summary, directory: Path) -> list[Path]:
    """Writes the charts that the summary has figures for and returns their paths; a chart
    without figures (no greedy method compared with an optimum, say) is not drawn."""
    pyplot, ticker = _pyplot()
    rows = [row for row in summary.rows if not row.failed]
    charts = [
        (STEPS_CHART, "Steps by item count", "steps (log scale)", True, rows,
         lambda row: row.mean_steps, lambda row: row.max_steps),
        (TIME_CHART, "Time by item count", "milliseconds", False, rows,
         lambda row: row.mean_milliseconds, lambda row: row.max_milliseconds),
        (ERROR_CHART, "Relative error of the greedy methods", "relative error (%)",
         False, [row for row in rows if row.compared],
         lambda row: 100 * row.mean_error, lambda row: 100 * row.max_error),
    ]
    written = []
    for name, title, label, logarithmic, chart_rows, mean, largest in charts:
        if not chart_rows:
            continue
        path = Path(directory) / name
        _draw(pyplot, ticker, path, title, label, logarithmic, chart_rows, mean, largest)
        written.append(path)
    return written


def _pyplot():
    try:
        import matplotlib
    except ImportError as error:
        raise ChartError("matplotlib is missing (Debian package python3-matplotlib, installed by "
                         "scripts/install-deps); run the tool with /usr/bin/python3 or give "
                         "--no-charts") from error
    matplotlib.use("Agg")  # files only, no display needed
    from matplotlib import pyplot, ticker
    return pyplot, ticker


def _draw(pyplot, ticker, path: Path, title: str, label: str, logarithmic: bool, rows: list[Row],
          mean: Callable[[Row], float], largest: Callable[[Row], float]) -> None:
    figure, axes = pyplot.subplots(figsize=(8, 5), dpi=100)
    methods = sorted({row.method for row in rows}, key=lambda method: method.number)
    for method in methods:
        own = [row for row in rows if row.method == method]
        counts = [row.item_count for row in own]
        line, = axes.plot(counts, [_plottable(mean(row), logarithmic) for row in own],
                          marker="o", label=method.label)
        axes.plot(counts, [_plottable(largest(row), logarithmic) for row in own],
                  linestyle="--", linewidth=1, color=line.get_color())
    # One legend entry explains the dashed lines of all methods.
    axes.plot([], [], linestyle="--", linewidth=1, color="grey", label="largest (dashed)")
    if logarithmic:
        axes.set_yscale("log")
    axes.set_title(title + ": mean (solid) and largest (dashed)")
    axes.set_xlabel("items per instance")
    axes.set_ylabel(label)
    counts = sorted({row.item_count for row in rows})
    if len(counts) <= 12:
        axes.set_xticks(counts)
    else:
        axes.xaxis.set_major_locator(ticker.MaxNLocator(integer=True))
    axes.grid(True, which="major", alpha=0.3)
    axes.legend(fontsize="small")
    figure.tight_layout()
    figure.savefig(path)
    pyplot.close(figure)


def _plottable(value: Optional[float], logarithmic: bool) -> float:
    """Values that the scale cannot show (zero or less on a log scale) become gaps."""
    if value is None or (logarithmic and value <= 0):
        return math.nan
    return value
