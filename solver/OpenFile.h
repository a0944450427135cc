#pragma once

#include <cstdio>
#include <memory>
#include <string>

namespace knapsack {

// One file named on the command line, open as a stream. The stream is closed when the object is
// destroyed, unless close() was called first.
class OpenFile {
  public:
    // Both throw the failure "Nelze otevrit soubor <path>" when the file cannot be opened; a
    // directory cannot be opened as a file.
    static OpenFile forReading(const std::string& path);
    // Creates the file or empties it.
    static OpenFile forWriting(const std::string& path);

    std::FILE* stream() const { return file.get(); }

    // Whether path names this very file (the same device and inode). Only a regular file counts:
    // writing to a device or a pipe empties nothing. A path that does not exist is another file.
    bool isSameRegularFileAs(const std::string& path) const;

    // Closes the stream now; false when the close failed, e.g. because buffered data could not be
    // written.
    bool close();

  private:
    struct Closer {
        void operator()(std::FILE* stream) const { std::fclose(stream); }
    };

    explicit OpenFile(std::FILE* stream) : file(stream) {}

    std::unique_ptr<std::FILE, Closer> file;
};

}  // namespace knapsack
