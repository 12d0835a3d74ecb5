// The cipher and IC-card stand-ins as built (not as installed), loaded by
// path with every export resolved, and wrenhost beside them: the tests of the
// stand-ins and of unseal steer them through INI files in the build folder.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "common/family/family_exports.h"
#include "wine_fixture.h"

namespace wren::wine_test {

// The build folder: this program lives in <build>\tests\wine.
inline std::wstring buildFolder() {
    wchar_t path[MAX_PATH + 1] = {};
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH + 1);
    std::wstring self(path, n);
    for (int up = 0; up < 3; ++up) self = self.substr(0, self.find_last_of(L"\\/"));
    return self + L"\\";
}
inline std::wstring standInFolder() { return buildFolder() + L"tools\\family\\"; }
inline std::wstring hostProgram() { return buildFolder() + L"tools\\host\\wrenhost.exe"; }

// An INI file beside a stand-in for the life of the object.
class StandInIni {
public:
    StandInIni(const std::wstring& name, const std::string& content) : path_(standInFolder() + name) {
        writeFile(path_, content);
    }
    ~StandInIni() { DeleteFileW(path_.c_str()); }
    StandInIni(const StandInIni&) = delete;
    StandInIni& operator=(const StandInIni&) = delete;

private:
    std::wstring path_;
};

template <typename Fn>
Fn exportOf(HMODULE module, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

class CipherDll {
public:
    explicit CipherDll(const wchar_t* file = L"zecipher.dll") : module_(LoadLibraryW((standInFolder() + file).c_str())) {
        using namespace family;
        create = exportOf<CreateEncryptionFn>(module_, "CreateEncryption");
        init = exportOf<InitEncryptionFn>(module_, "InitEncryption");
        initEx = exportOf<InitEncryptionExFn>(module_, "InitEncryptionEx");
        initEx2 = exportOf<InitEncryptionEx2Fn>(module_, "InitEncryptionEx2");
        update = exportOf<UpdateEncryptionFn>(module_, "UpdateEncryption");
        end = exportOf<EndEncryptionFn>(module_, "EndEncryption");
        destroy = exportOf<DeleteEncryptionFn>(module_, "DeleteEncryption");
        encryptPassword = exportOf<EncryptPasswordFn>(module_, "EncryptPassword");
        decryptPassword = exportOf<DecryptPasswordFn>(module_, "DecryptPassword");
        passwordUi = exportOf<DispPasswordUIFn>(module_, "DispPasswordUI");
    }
    ~CipherDll() {
        if (module_) FreeLibrary(module_);
    }
    CipherDll(const CipherDll&) = delete;
    CipherDll& operator=(const CipherDll&) = delete;
    HMODULE module() const { return module_; }

    family::CreateEncryptionFn create;
    family::InitEncryptionFn init;
    family::InitEncryptionExFn initEx;
    family::InitEncryptionEx2Fn initEx2;
    family::UpdateEncryptionFn update;
    family::EndEncryptionFn end;
    family::DeleteEncryptionFn destroy;
    family::EncryptPasswordFn encryptPassword;
    family::DecryptPasswordFn decryptPassword;
    family::DispPasswordUIFn passwordUi;

private:
    HMODULE module_;
};

// The key record: mode, strength, 33 bytes of key material.
inline std::vector<unsigned char> keyRecord(std::uint32_t mode, std::uint32_t strength, std::string_view key) {
    std::vector<unsigned char> record(8 + 33, 0);
    std::memcpy(record.data(), &mode, 4);
    std::memcpy(record.data() + 4, &strength, 4);
    std::memcpy(record.data() + 8, key.data(), std::min<std::size_t>(key.size(), 33));
    return record;
}

inline void appendFrame(std::string& job, const char* kind, const std::uint8_t* data, std::uint32_t size) {
    job += "@PJL ZELRESOURCEWRITE LOCATION=\"SecureJobAccessor:";
    job += kind;
    job += "\" SIZE=" + std::to_string(size) + "\n";
    job.append(reinterpret_cast<const char*>(data), size);
    job += "\x1B%-12345X";
}

enum class KeyKind { Password, CardEx, CardEx2 };

// Encrypts `plain` with the library in pieces of the given sizes (cycled) and
// frames the outputs as the rendering plug-in does. Empty on any failure.
inline std::string sealWithLibrary(const CipherDll& dll, std::string_view header, std::string_view plain,
                                   const std::vector<std::size_t>& pieces, std::string_view key,
                                   KeyKind kind = KeyKind::Password) {
    family::CipherHandle handle = dll.create();
    if (!handle) return {};
    std::vector<unsigned char> record = keyRecord(1, 2, key);
    const std::uint8_t* out = nullptr;
    std::uint32_t size = 0;
    int rc = kind == KeyKind::Password ? dll.init(handle, record.data(), &out, &size)
             : kind == KeyKind::CardEx ? dll.initEx(handle, record.data(), std::uint32_t(key.size()), &out, &size)
                                       : dll.initEx2(handle, 2, record.data(), std::uint32_t(key.size()), &out, &size);
    std::string job(header);
    if (rc != 0) return dll.destroy(handle), std::string();
    appendFrame(job, "write_start", out, size);
    std::size_t at = 0;
    for (std::size_t k = 0; at < plain.size(); ++k) {
        const std::size_t piece = std::min(pieces[k % pieces.size()], plain.size() - at);
        if (dll.update(handle, plain.data() + at, std::uint32_t(piece), &out, &size) != 0)
            return dll.destroy(handle), std::string();
        if (size) appendFrame(job, "write", out, size);
        at += piece;
    }
    if (dll.end(handle, &out, &size) != 0) return dll.destroy(handle), std::string();
    appendFrame(job, "write_end", out, size);
    job += "@PJL EOJ NAME = \"END\"\n\x1B%-12345X";
    dll.destroy(handle);
    return job;
}

struct HostRun {
    DWORD status = 0xFFFFFFFF;
    std::string output;  // stdout and stderr
};

// Runs wrenhost with the arguments (already quoted as needed).
inline HostRun runHost(const std::wstring& arguments) {
    HostRun run;
    TempFile log(L"wrh");
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE file = CreateFileW(log.path().c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return run;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = file;
    startup.hStdError = file;
    PROCESS_INFORMATION process{};
    std::wstring line = L"\"" + hostProgram() + L"\" " + arguments;
    if (CreateProcessW(hostProgram().c_str(), line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr,
                       &startup, &process)) {
        WaitForSingleObject(process.hProcess, 60000);
        GetExitCodeProcess(process.hProcess, &run.status);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(file);
    run.output = readFile(log.path());
    return run;
}

}  // namespace wren::wine_test
