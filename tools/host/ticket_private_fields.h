// The private record's fields a ticket's [private] section carries, as text:
// numbers in decimal (or 0x hex), lists as "a,b,...", texts as UTF-8,
// tables as a pair of hex digits per byte. What a field is and what it
// holds comes from the record's schema; this file only says which fields a
// ticket names, in the order a written ticket gives them.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "common/settings/private_record.h"

namespace wren::host {

// Names, then numbers, then the watermark copy and the colour correction.
std::span<const std::string_view> ticketPrivateFields();
bool isTicketPrivateField(std::string_view name);

// Sets the field from ticket text; false when the text does not parse or
// does not fit (a text is still written, cut to the field).
bool setPrivateField(PrivateRecord& record, std::string_view name, const std::string& text);
// The field as ticket text that sets it back.
std::string privateFieldText(const PrivateRecord& record, std::string_view name);

// A whole decimal (or 0x hex) integer within [low, high].
bool parseTicketInteger(std::string_view text, long long low, long long high, long long& value);

}  // namespace wren::host
