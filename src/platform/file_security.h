// Port: opening up a driver file for everybody when a printer is installed
// (the spooler installs them for itself alone). Each call is one system
// step, so that the order of the fallbacks is decided by portable code.
#pragma once

#include <string_view>

namespace wren {

class FileSecurity {
public:
    virtual ~FileSecurity() = default;
    // SetFileSecurityW with a null DACL (everyone full access).
    virtual bool grantEveryone(std::u16string_view path) = 0;
    // The built-in Administrators group becomes the owner.
    virtual bool ownByAdministrators(std::u16string_view path) = 0;
    // SeTakeOwnershipPrivilege in the process token, on or off.
    virtual bool takeOwnershipPrivilege(bool enable) = 0;
    virtual bool clearReadOnly(std::u16string_view path) = 0;
};

}  // namespace wren
