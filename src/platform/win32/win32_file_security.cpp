#include <windows.h>

#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_install_ports.h"

namespace wren::win32 {
namespace {

BOOL WINAPI freeSid(PSID sid) { return FreeSid(sid) == nullptr; }
using UniqueSid = Owned<PSID, freeSid>;

bool setSecurity(std::u16string_view path, SECURITY_INFORMATION what, SECURITY_DESCRIPTOR& descriptor) {
    const std::u16string file(path);
    return SetFileSecurityW(wz(file), what, &descriptor) != FALSE;
}

}  // namespace

bool Win32FileSecurity::grantEveryone(std::u16string_view path) {
    SECURITY_DESCRIPTOR descriptor;
    if (!InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION)) return false;
    // A null DACL: no entry restricts anybody.
    if (!SetSecurityDescriptorDacl(&descriptor, TRUE, nullptr, FALSE)) return false;
    return setSecurity(path, DACL_SECURITY_INFORMATION, descriptor);
}

bool Win32FileSecurity::ownByAdministrators(std::u16string_view path) {
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    UniqueSid administrators;
    if (!AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0,
                                  administrators.out()))
        return false;
    SECURITY_DESCRIPTOR descriptor;
    if (!InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION)) return false;
    if (!SetSecurityDescriptorOwner(&descriptor, administrators.get(), FALSE)) return false;
    return setSecurity(path, OWNER_SECURITY_INFORMATION, descriptor);
}

bool Win32FileSecurity::takeOwnershipPrivilege(bool enable) {
    UniqueHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.out())) return false;
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    if (!LookupPrivilegeValueW(nullptr, SE_TAKE_OWNERSHIP_NAME, &privileges.Privileges[0].Luid)) return false;
    privileges.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
    if (!AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr)) return false;
    // Success with ERROR_NOT_ALL_ASSIGNED: the token does not hold it.
    return GetLastError() == ERROR_SUCCESS;
}

bool Win32FileSecurity::clearReadOnly(std::u16string_view path) {
    const std::u16string file(path);
    const DWORD attributes = GetFileAttributesW(wz(file));
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    if (!(attributes & FILE_ATTRIBUTE_READONLY)) return true;
    return SetFileAttributesW(wz(file), attributes & ~DWORD(FILE_ATTRIBUTE_READONLY)) != FALSE;
}

}  // namespace wren::win32
