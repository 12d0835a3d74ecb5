// wrenui's answers to the colour-profile query, the standard-UI question and
// the document events that the spooler's DrvDocumentEvent forwards.
#include "wine_fixture.h"

namespace wren::wine_test {
namespace {

using UiMethods = UiPluginTest;

TEST_F(UiMethods, ColorProfileNeedsThirtyTwoBytes) {
    wchar_t data[16];
    std::wmemset(data, L'#', 16);
    ULONG size = 30;
    FLONG flags = 77;
    SetLastError(0);
    EXPECT_EQ(plugin_->QueryColorProfile(printer_, nullptr, nullptr, nullptr, QCP_DEVICEPROFILE, data, &size, &flags),
              E_FAIL);
    EXPECT_EQ(size, 32u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(flags, 77u);
    EXPECT_EQ(data[0], L'#');

    size = 32;
    EXPECT_EQ(plugin_->QueryColorProfile(printer_, nullptr, nullptr, nullptr, QCP_DEVICEPROFILE, data, &size, &flags),
              S_OK);
    EXPECT_EQ(size, 32u);
    EXPECT_STREQ(data, L"OEMPROFILE.icm");
    EXPECT_EQ(flags, QCP_PROFILEDISK);

    // Asking for the size alone is the same shortage.
    size = 0;
    SetLastError(0);
    EXPECT_EQ(plugin_->QueryColorProfile(printer_, nullptr, nullptr, nullptr, QCP_DEVICEPROFILE, nullptr, &size,
                                         &flags),
              E_FAIL);
    EXPECT_EQ(size, 32u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

TEST_F(UiMethods, ColorProfileOnlyForTheDevice) {
    wchar_t data[32] = {};
    ULONG size = sizeof data;
    FLONG flags = 77;
    SetLastError(4242);
    EXPECT_EQ(plugin_->QueryColorProfile(printer_, nullptr, nullptr, nullptr, QCP_SOURCEPROFILE, data, &size, &flags),
              E_FAIL);
    EXPECT_EQ(GetLastError(), 4242u);
    EXPECT_EQ(size, sizeof data);
    EXPECT_EQ(data[0], L'\0');
}

TEST_F(UiMethods, StandardUiAlwaysStays) {
    for (DWORD mode : {OEMCUIP_DOCPROP, OEMCUIP_PRNPROP, 0ul, 3ul})
        EXPECT_EQ(plugin_->HideStandardUI(mode), E_NOTIMPL) << "mode " << mode;
}

TEST_F(UiMethods, QueryFilterAsksForTheStartOfEachDocument) {
    // Room for three events: we want one.
    BYTE room[sizeof(DOCEVENT_FILTER) + 2 * sizeof(DWORD)] = {};
    auto* filter = reinterpret_cast<DOCEVENT_FILTER*>(room);
    filter->cbSize = sizeof room;
    filter->cElementsAllocated = 3;
    filter->cElementsNeeded = 0xFFFFFFFF;
    INT result = 0;
    EXPECT_EQ(plugin_->DocumentEvent(printer_, nullptr, DOCUMENTEVENT_QUERYFILTER, 0, nullptr, sizeof room, filter,
                                     &result),
              S_OK);
    EXPECT_EQ(result, DOCUMENTEVENT_SUCCESS);
    EXPECT_EQ(filter->cElementsReturned, 1u);
    EXPECT_EQ(filter->aDocEventCall[0], static_cast<DWORD>(DOCUMENTEVENT_STARTDOCPOST));
    EXPECT_EQ(filter->aDocEventCall[0], 13u);

    // No room at all: only the count is asked for.
    DOCEVENT_FILTER empty{};
    empty.cbSize = sizeof empty;
    empty.cElementsAllocated = 0;
    empty.aDocEventCall[0] = 0xAAAA;
    result = 0;
    EXPECT_EQ(plugin_->DocumentEvent(printer_, nullptr, DOCUMENTEVENT_QUERYFILTER, 0, nullptr, sizeof empty, &empty,
                                     &result),
              S_OK);
    EXPECT_EQ(result, DOCUMENTEVENT_SUCCESS);
    EXPECT_EQ(empty.cElementsNeeded, 1u);
    EXPECT_EQ(empty.cElementsReturned, 0u);
    EXPECT_EQ(empty.aDocEventCall[0], 0xAAAAu);
}

TEST_F(UiMethods, OtherDocumentEventsSucceedAndOnlyCreateDcPreAnswers) {
    INT result = 42;
    EXPECT_EQ(plugin_->DocumentEvent(printer_, nullptr, DOCUMENTEVENT_CREATEDCPRE, 0, nullptr, 0, nullptr, &result),
              S_OK);
    EXPECT_EQ(result, DOCUMENTEVENT_SUCCESS);
    for (INT event : {DOCUMENTEVENT_CREATEDCPOST, DOCUMENTEVENT_STARTDOCPRE, DOCUMENTEVENT_ENDDOCPOST,
                      DOCUMENTEVENT_DELETEDC}) {
        result = 42;
        EXPECT_EQ(plugin_->DocumentEvent(printer_, nullptr, event, 0, nullptr, 0, nullptr, &result), S_OK) << event;
        EXPECT_EQ(result, 42) << "event " << event << " leaves the result to the driver";
    }
}

}  // namespace
}  // namespace wren::wine_test
