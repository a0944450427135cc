"""A one-line progress display on standard error, shown only when that is a terminal."""

import sys
from typing import TextIO


class Progress:
    def __init__(self, stream: TextIO = sys.stderr):
        self._stream = stream
        self._enabled = stream.isatty()
        self._shown = False

    def show(self, text: str) -> None:
        if self._enabled:
            # Return to the start of the line and clear it, so each report replaces the last.
            self._stream.write("\r\x1b[K" + text)
            self._stream.flush()
            self._shown = True

    def clear(self) -> None:
        if self._shown:
            self._stream.write("\r\x1b[K")
            self._stream.flush()
            self._shown = False
