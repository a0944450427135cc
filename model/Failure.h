#pragma once

#include <stdexcept>

namespace knapsack {

// A failure of a solver run. It carries the text that the driver prints before it ends the run.
class Failure : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The texts of every failure the solver reports.
namespace failure_text {
inline constexpr const char* kReadError = "Chyba pri cteni souboru";
inline constexpr const char* kWriteError = "Chyba pri zapisu souboru";
inline constexpr const char* kCannotOpen = "Nelze otevrit soubor";
inline constexpr const char* kAddedTwice = "Opakovane pridani";
inline constexpr const char* kRemovedTwice = "Opakovane ubrani";
inline constexpr const char* kIndexOutOfBounds = "index out of bounds";
inline constexpr const char* kTooFewArguments = "Malo parametru";
inline constexpr const char* kBadMethodNumber = "Spatne cislo algoritmu";
inline constexpr const char* kOutOfMemory = "Nedostatek pameti";
inline constexpr const char* kSameInputAndOutput = "Stejny vstupni a vystupni soubor";
}  // namespace failure_text

}  // namespace knapsack
