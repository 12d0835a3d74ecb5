// Objects that live in the plug-in heap the core driver hands over, so that
// everything the sheets share goes away with the plug-in object. Each block
// is checked with HeapValidate before it is freed: a heap the core driver
// already destroyed must not be written to.
#pragma once

#include <windows.h>

#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace wren::ui {

template <typename T>
class HeapObject {
public:
    HeapObject() = default;
    HeapObject(const HeapObject&) = delete;
    HeapObject& operator=(const HeapObject&) = delete;
    ~HeapObject() { reset(); }

    template <typename... Args>
    T* create(HANDLE heap, Args&&... args) {
        reset();
        if (!heap) return nullptr;
        void* block = HeapAlloc(heap, HEAP_ZERO_MEMORY, sizeof(T));
        if (!block) return nullptr;
        try {
            object_ = new (block) T(std::forward<Args>(args)...);
        } catch (...) {
            HeapFree(heap, 0, block);  // the caller's guard reports the failure
            throw;
        }
        heap_ = heap;
        return object_;
    }
    void reset() {
        if (!object_) return;
        // A block the heap no longer vouches for is left alone, destructor
        // included: reading it could be worse than losing it.
        if (HeapValidate(heap_, 0, object_)) {
            object_->~T();
            HeapFree(heap_, 0, object_);
        }
        object_ = nullptr;
        heap_ = nullptr;
    }
    T* get() const { return object_; }
    T* operator->() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }

private:
    HANDLE heap_ = nullptr;
    T* object_ = nullptr;
};

// Every context made for one plug-in object, the newest current. A tree
// built again must not free the context an open page still uses, so the
// older ones stay until the object goes.
template <typename T>
class HeapObjects {
public:
    T* create(HANDLE heap) {
        auto owner = std::make_unique<HeapObject<T>>();
        T* object = owner->create(heap);
        if (object) owners_.push_back(std::move(owner));
        return object;
    }
    T* current() const { return owners_.empty() ? nullptr : owners_.back()->get(); }
    void clear() {
        while (!owners_.empty()) owners_.pop_back();  // newest first
    }

private:
    std::vector<std::unique_ptr<HeapObject<T>>> owners_;
};

}  // namespace wren::ui
