// Port: loading a printer-family library by path and looking up its exports.
// A Library unloads itself when destroyed, so every use is scoped.
#pragma once

#include <memory>
#include <string_view>

namespace wren {

class Library {
public:
    virtual ~Library() = default;
    // Null when the library does not export `name`.
    virtual void* symbol(const char* name) const = 0;
};

class LibraryLoader {
public:
    virtual ~LibraryLoader() = default;
    // Null when the path is empty or the library does not load.
    virtual std::unique_ptr<Library> load(std::u16string_view path) const = 0;
};

}  // namespace wren
