#pragma once

#include <string>
#include <vector>

namespace generator {

// An argument vector as the program's entry gets it: the program name first, a null pointer last.
class ArgumentVector {
  public:
    explicit ArgumentVector(const std::vector<std::string>& arguments) : texts(arguments) {
        pointers.push_back("generator");
        for (const std::string& text : texts) {
            pointers.push_back(text.c_str());
        }
        pointers.push_back(nullptr);
    }
    ArgumentVector(const ArgumentVector&) = delete;
    ArgumentVector& operator=(const ArgumentVector&) = delete;

    int argc() const { return static_cast<int>(pointers.size()) - 1; }
    const char* const* argv() const { return pointers.data(); }

  private:
    std::vector<std::string> texts;
    std::vector<const char*> pointers;
};

// The eight options of a run, in the order the program reads them.
inline std::vector<std::string> optionArguments(
    const std::string& firstId, const std::string& itemCount, const std::string& instanceCount,
    const std::string& ratio, const std::string& exponent, const std::string& largestWeight,
    const std::string& largestCost, const std::string& direction) {
    return {"-I", firstId,  "-n", itemCount,     "-N", instanceCount, "-m", ratio,
            "-k", exponent, "-W", largestWeight, "-C", largestCost,   "-d", direction};
}

}  // namespace generator
