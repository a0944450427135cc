"""Shared helpers of the experiment tool's tests: where the tool, its fixtures and the real
programs are."""

import os
import sys
from pathlib import Path

REPOSITORY = Path(__file__).resolve().parents[2]
FIXTURES = REPOSITORY / "tests" / "data" / "experiment"
ENTRY_SCRIPT = REPOSITORY / "experiment" / "experiment"

if str(REPOSITORY) not in sys.path:
    sys.path.insert(0, str(REPOSITORY))


def program(variable: str):
    """The built program named by an environment variable, or None when it is not set."""
    value = os.environ.get(variable)
    return Path(value) if value else None
