// The public DEVMODE (the platform's DEVMODEW) as the settings code sees it:
// the same 220-byte layout, declared here so that the portable code never
// needs the Windows headers. The Windows side checks that both agree.
#pragma once

#include <cstddef>
#include <cstdint>

namespace wren {

struct PublicDevmode {
    char16_t dmDeviceName[32];
    std::uint16_t dmSpecVersion;
    std::uint16_t dmDriverVersion;
    std::uint16_t dmSize;
    std::uint16_t dmDriverExtra;
    std::uint32_t dmFields;
    std::int16_t dmOrientation;
    std::int16_t dmPaperSize;
    std::int16_t dmPaperLength;
    std::int16_t dmPaperWidth;
    std::int16_t dmScale;
    std::int16_t dmCopies;
    std::int16_t dmDefaultSource;
    std::int16_t dmPrintQuality;
    std::int16_t dmColor;
    std::int16_t dmDuplex;
    std::int16_t dmYResolution;
    std::int16_t dmTTOption;
    std::int16_t dmCollate;
    char16_t dmFormName[32];
    std::uint16_t dmLogPixels;
    std::uint32_t dmBitsPerPel;
    std::uint32_t dmPelsWidth;
    std::uint32_t dmPelsHeight;
    std::uint32_t dmNup;
    std::uint32_t dmDisplayFrequency;
    std::uint32_t dmICMMethod;
    std::uint32_t dmICMIntent;
    std::uint32_t dmMediaType;
    std::uint32_t dmDitherType;
    std::uint32_t dmReserved1;
    std::uint32_t dmReserved2;
    std::uint32_t dmPanningWidth;
    std::uint32_t dmPanningHeight;
};
static_assert(sizeof(PublicDevmode) == 220);
static_assert(offsetof(PublicDevmode, dmOrientation) == 76);
static_assert(offsetof(PublicDevmode, dmPaperSize) == 78);
static_assert(offsetof(PublicDevmode, dmColor) == 92);
static_assert(offsetof(PublicDevmode, dmFormName) == 102);
static_assert(offsetof(PublicDevmode, dmNup) == 180);

inline constexpr std::int16_t kCustomPaperSize = 0x7FFF;  // DMPAPER_USER-range marker

}  // namespace wren
