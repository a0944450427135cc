"""The solver's methods as the experiment knows them: number, name and whether it is exact."""

from dataclasses import dataclass


@dataclass(frozen=True)
class Method:
    number: int
    name: str
    exact: bool

    @property
    def label(self) -> str:
        return f"{self.number} {self.name}"


METHODS = {
    method.number: method
    for method in (
        Method(1, "exhaustive", True),
        Method(2, "ratio greedy", False),
        Method(3, "branch and bound", True),
        Method(4, "dynamic programming", True),
        Method(5, "improved greedy", False),
    )
}
