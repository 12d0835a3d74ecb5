#include <windows.h>

#include <cstdlib>
#include <vector>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_ports.h"

namespace wren::win32 {
namespace {

// Cuts 8-bit text to `limit` bytes without splitting a double-byte character.
std::string cutAtCharacter(std::string text, std::size_t limit) {
    if (text.size() <= limit) return text;
    std::size_t end = 0;
    while (end < limit) {
        std::size_t next = end + (IsDBCSLeadByte(static_cast<BYTE>(text[end])) ? 2 : 1);
        if (next > limit) break;
        end = next;
    }
    text.resize(end);
    return text;
}

// The ANSI code page of the user's default locale. Asking for it leaves the
// C runtime's locale alone: switching that would change every other
// thread's conversions while the call runs.
UINT userLocaleCodePage() {
    DWORD codePage = 0;
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                       reinterpret_cast<LPWSTR>(&codePage), sizeof codePage / sizeof(wchar_t)) == 0 ||
        codePage == 0)
        return CP_ACP;
    return codePage;
}

}  // namespace

static std::u16string widen(UINT codePage, std::string_view text, std::size_t maxChars) {
    if (text.empty() || maxChars == 0) return {};
    const int size = static_cast<int>(text.size());
    int n = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    if (n <= 0) return {};
    std::u16string out(static_cast<std::size_t>(n), u'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, reinterpret_cast<wchar_t*>(out.data()), n);
    if (out.size() > maxChars) out.resize(maxChars);
    return out;
}

std::u16string Win32CodePage::fromAnsi(std::string_view text, std::size_t maxChars) const {
    return widen(CP_ACP, text, maxChars);
}

std::u16string Win32CodePage::fromUserLocale(std::string_view text, std::size_t maxChars) const {
    return widen(userLocaleCodePage(), text, maxChars);
}

std::string Win32CodePage::toUserLocale(std::u16string_view text, std::size_t maxBytes) const {
    if (text.empty() || maxBytes == 0) return {};
    const UINT codePage = userLocaleCodePage();
    // One character at a time, so that the cut never splits a double-byte one.
    std::string out;
    char buffer[8];
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t units = (i + 1 < text.size() && text[i] >= 0xD800 && text[i] < 0xDC00) ? 2 : 1;
        int n = WideCharToMultiByte(codePage, 0, reinterpret_cast<const wchar_t*>(text.data() + i),
                                    static_cast<int>(units), buffer, sizeof buffer, nullptr, nullptr);
        i += units - 1;
        if (n <= 0) {
            buffer[0] = '?';
            n = 1;
        }
        if (out.size() + static_cast<std::size_t>(n) > maxBytes - 1) break;
        out.append(buffer, static_cast<std::size_t>(n));
    }
    return out;
}

std::string Win32CodePage::toAnsi(std::u16string_view text, std::size_t maxBytes) const {
    if (text.empty() || maxBytes == 0) return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    int n = WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    if (n <= 0) return {};
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return cutAtCharacter(std::move(out), maxBytes - 1);
}

std::string Win32CodePage::toLocale(std::u16string_view text, std::size_t maxBytes) const {
    // The C runtime's conversion for its current locale, one character at a
    // time so that a character it cannot convert does not lose the rest.
    std::string out;
    if (maxBytes == 0) return out;
    char buffer[MB_LEN_MAX + 1];
    for (char16_t c : text) {
        wchar_t one[2] = {static_cast<wchar_t>(c), L'\0'};
        std::size_t n = std::wcstombs(buffer, one, sizeof buffer - 1);
        if (n == static_cast<std::size_t>(-1)) {
            buffer[0] = '?';
            n = 1;
        }
        if (out.size() + n > maxBytes - 1) break;
        out.append(buffer, n);
    }
    return out;
}

bool Win32CodePage::isLeadByte(std::uint8_t byte) const { return IsDBCSLeadByte(byte) != 0; }

bool Win32CodePage::isValidPair(std::uint8_t lead, std::uint8_t trail) const {
    const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    wchar_t out[2];
    return MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, pair, 2, out, 2) == 1;
}

}  // namespace wren::win32
