// Function pointers that pass through untyped slots: DDI function tables
// hold every function as one pointer type, and GetProcAddress returns one
// type for every export. A cast through `void (*)()` says the conversion is
// meant; the caller vouches that the slot holds a function of type `To`.
#pragma once

namespace wren {

template <typename To, typename From>
To functionCast(From function) noexcept {
    return reinterpret_cast<To>(reinterpret_cast<void (*)()>(function));
}

}  // namespace wren
