// A failure that ends the host's run with one line on stderr.
#pragma once

#include <stdexcept>
#include <string>

namespace wren::host {

struct HostError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

}  // namespace wren::host
