// Port: reading the driver's data files (the printer's procedure sets) in
// pieces, as they are copied into a job.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string_view>

namespace wren {

class ReadableFile {
public:
    virtual ~ReadableFile() = default;
    // Up to `size` bytes; 0 at the end; nothing when the read failed.
    virtual std::optional<std::size_t> read(void* buffer, std::size_t size) = 0;
};

class FileSource {
public:
    virtual ~FileSource() = default;
    // Opened for reading while others may read or write it; null when it
    // cannot be opened.
    virtual std::unique_ptr<ReadableFile> openShared(std::u16string_view path) const = 0;
};

}  // namespace wren
