// Port: track bar controls of a dialog (the dialog view has none). The
// Win32 side sends TBM_SETRANGE and TBM_SETPOS; tests use a fake.
#pragma once

namespace wren::ui {

class TrackBar {
public:
    virtual ~TrackBar() = default;
    virtual void setRange(int id, int minimum, int maximum) = 0;
    virtual void setPosition(int id, int position) = 0;
};

}  // namespace wren::ui
