// Objects that live in the plug-in heap the core driver hands over, so that
// everything the sheets share goes away with the plug-in object. Each block
// is checked with HeapValidate before it is freed: a heap the core driver
// already destroyed must not be written to.
#pragma once

#include <windows.h>

#include <new>
#include <utility>

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
        heap_ = heap;
        object_ = new (block) T(std::forward<Args>(args)...);
        return object_;
    }
    void reset() {
        if (!object_) return;
        object_->~T();
        if (HeapValidate(heap_, 0, object_)) HeapFree(heap_, 0, object_);
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

}  // namespace wren::ui
