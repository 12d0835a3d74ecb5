// The print-time Job Name prompt on Windows: dialog 103 of wrenps, modal and
// without an owner (the spooler's rendering has no window to lend it).
#pragma once

#include "ps/job/render_context.h"

namespace wren::ps {

class Win32JobNamePrompt final : public JobNamePrompt {
public:
    bool ask(PrivateRecord& record) override;
};

}  // namespace wren::ps
