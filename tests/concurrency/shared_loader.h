// A library loader that several threads may use at once, as a process's
// loader is: the libraries are fixed before the threads start, and loading
// and unloading only count, atomically.
#pragma once

#include <atomic>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "platform/library.h"

namespace wren::test {

// Libraries by full path; each maps export names to functions of this process.
class SharedLibraryLoader : public LibraryLoader {
public:
    using Exports = std::map<std::string, void*>;

    explicit SharedLibraryLoader(std::map<std::u16string, Exports> libraries) : libraries_(std::move(libraries)) {}

    std::unique_ptr<Library> load(std::u16string_view path) const override {
        auto it = libraries_.find(std::u16string(path));
        if (it == libraries_.end()) return nullptr;
        return std::make_unique<Loaded>(it->second, live_);
    }
    int live() const { return live_.load(); }

private:
    struct Loaded : Library {
        Loaded(const Exports& e, std::atomic<int>& live) : exports(e), live(live) { ++live; }
        ~Loaded() override { --live; }
        void* symbol(const char* name) const override {
            auto it = exports.find(name);
            return it == exports.end() ? nullptr : it->second;
        }
        const Exports& exports;
        std::atomic<int>& live;
    };
    const std::map<std::u16string, Exports> libraries_;
    mutable std::atomic<int> live_{0};
};

}  // namespace wren::test
