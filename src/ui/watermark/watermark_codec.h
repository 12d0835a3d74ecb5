// The text form of a watermark in the store: sixteen fields separated by
// ",", the text escaped with "\" so that it may hold ",", ";" and "\".
#pragma once

#include <string>
#include <string_view>

#include "ui/watermark/watermark_record.h"

namespace wren::ui {

// The value of a store key; the longest record stays well inside the 512
// characters the store reads back.
std::u16string FormatWatermarkValue(const WatermarkRecord& record);

// Reads a stored value. A ";" ends the record wherever it stands outside an
// escape, and a value that ends early leaves the remaining fields 0; the
// text keeps at most 128 characters and the font name 31, however long the
// value is.
WatermarkRecord ParseWatermarkValue(std::u16string_view value);

// "\", "," and ";" each preceded by "\".
std::u16string EscapeWatermarkText(std::u16string_view text);

}  // namespace wren::ui
