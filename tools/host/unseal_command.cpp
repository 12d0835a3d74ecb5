#include "unseal_command.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <optional>

#include "cng_aead.h"
#include "host_error.h"
#include "host_files.h"
#include "platform/win32/handles.h"
#include "unseal_job.h"
#include "usage.h"

namespace wren::host {
namespace {


std::optional<std::string> fromHex(const std::wstring& text) {
    auto digit = [](wchar_t c) {
        if (c >= L'0' && c <= L'9') return c - L'0';
        if (c >= L'a' && c <= L'f') return c - L'a' + 10;
        if (c >= L'A' && c <= L'F') return c - L'A' + 10;
        return -1;
    };
    std::string out;
    int high = -1;
    for (wchar_t c : text) {
        if (c == L' ') continue;
        int d = digit(c);
        if (d < 0) return std::nullopt;
        if (high < 0) high = d;
        else out.push_back(char(high << 4 | d)), high = -1;
    }
    if (high >= 0) return std::nullopt;
    return out;
}

void writeWholeFile(const std::wstring& path, const std::string& bytes) {
    HANDLE raw = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (raw == INVALID_HANDLE_VALUE) throw HostError("cannot write " + narrow(path));
    win32::UniqueHandle file(raw);
    std::size_t at = 0;
    while (at < bytes.size()) {
        DWORD chunk = DWORD(std::min<std::size_t>(bytes.size() - at, 1u << 30)), written = 0;
        if (!WriteFile(file.get(), bytes.data() + at, chunk, &written, nullptr) || written != chunk)
            throw HostError("cannot write " + narrow(path));
        at += chunk;
    }
}

}  // namespace

std::string passwordKey(const std::wstring& text) {
    if (text.empty()) return {};
    int size = WideCharToMultiByte(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(std::size_t(size > 0 ? size : 0), '\0');
    if (size > 0) WideCharToMultiByte(CP_ACP, 0, text.data(), int(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

int unseal(const std::vector<std::wstring>& args) {
    std::vector<std::wstring> positional;
    std::optional<std::string> key;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if ((args[i] == L"--password" || args[i] == L"--card-data") && i + 1 < args.size()) {
            if (key) throw HostError("give one key: --password or --card-data");
            if (args[i] == L"--password") {
                key = passwordKey(args[++i]);
            } else {
                key = fromHex(args[++i]);
                if (!key) throw HostError("--card-data takes hex digits");
            }
        } else if (args[i].starts_with(L"--")) {
            throw HostError("unknown option " + narrow(args[i]));
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() != 2 || !key) throw HostError(usageOf("unseal"));
    const std::string job = readFile(positional[0]);
    std::string plain;
    UnsealResult result = unsealJob(job, *key, &stand_in::cngDeriveJobKey, plain);
    SecureZeroMemory(key->data(), key->size());
    if (!result.ok) throw HostError(narrow(positional[0]) + " does not unseal: " + result.message);
    writeWholeFile(positional[1], plain);
    std::printf("unsealed %s: %zu byte(s) from %zu chunk(s) -> %s\n", narrow(positional[0]).c_str(), plain.size(),
                result.chunks, narrow(positional[1]).c_str());
    return 0;
}

}  // namespace wren::host
