#include "ps/plugin/resource_templates.h"

namespace wren::ps {

// A loaded resource is part of the mapped module: it needs no release and
// stays valid while the plug-in is loaded.
std::optional<std::string_view> ResourceTemplates::bytes(PostScriptTemplate id) const {
    if (!module_) return std::nullopt;
    HRSRC found = FindResourceW(module_, MAKEINTRESOURCEW(static_cast<int>(id)), L"PS");
    if (!found) return std::nullopt;
    const DWORD size = SizeofResource(module_, found);
    HGLOBAL loaded = LoadResource(module_, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data || size == 0) return std::nullopt;
    return std::string_view(static_cast<const char*>(data), size);
}

}  // namespace wren::ps
