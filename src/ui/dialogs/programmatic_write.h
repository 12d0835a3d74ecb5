// Marks a controller's own writes to its controls: while one is alive, the
// change notifications those writes raise are not the user's and are
// ignored. The flag goes back to what it was on every way out of the scope,
// so a write inside another keeps the outer one marked.
#pragma once

namespace wren::ui {

class ProgrammaticWrite {
public:
    explicit ProgrammaticWrite(bool& writing) : writing_(writing), was_(writing) { writing_ = true; }
    ~ProgrammaticWrite() { writing_ = was_; }
    ProgrammaticWrite(const ProgrammaticWrite&) = delete;
    ProgrammaticWrite& operator=(const ProgrammaticWrite&) = delete;

private:
    bool& writing_;
    bool was_;
};

}  // namespace wren::ui
