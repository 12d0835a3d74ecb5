#include "common/settings/record_schema.h"

#include <gtest/gtest.h>

#include <cstring>

#include "common/settings/record_text.h"
#include "record_dump.h"

using namespace wren;

namespace {

const RecordField& field(std::string_view name) {
    const RecordField* f = findRecordField(name);
    EXPECT_NE(f, nullptr) << name;
    return *f;
}

}  // namespace

// The fields follow one another without overlapping and end inside the
// record; the gaps between them are the record's unused bytes.
TEST(RecordSchema, FieldsAreInOrderWithoutOverlapAndInsideTheRecord) {
    std::size_t end = 0;
    for (const RecordField& f : kRecordFields) {
        EXPECT_GE(f.offset, end) << f.name;
        end = f.offset + f.bytes();
    }
    EXPECT_LE(end, kRecordSize);
    EXPECT_EQ(field("wmText").count, 513u);
    EXPECT_EQ(field("wmText").unitSize, 2u);
    EXPECT_EQ(field("ccmTableNt").countField, "ccmTableNtCount");
    EXPECT_EQ(findRecordField("unused64"), nullptr);
    EXPECT_EQ(findRecordField("noSuchField"), nullptr);
}

TEST(RecordSchema, IntegersKeepTheirTypesRangeAndSign) {
    PrivateRecord r{};
    EXPECT_TRUE(writeInteger(r, field("wmAngle"), 0, -45));
    EXPECT_EQ(r.wmAngle, -45);
    EXPECT_EQ(readInteger(r, field("wmAngle")), -45);
    EXPECT_FALSE(writeInteger(r, field("wmAngle"), 0, 40000));
    EXPECT_EQ(r.wmAngle, -45);
    EXPECT_FALSE(writeInteger(r, field("gammaOn"), 0, -1));
    EXPECT_TRUE(writeInteger(r, field("cryptTimeLimit"), 0, 0xFFFFFFFFll));
    EXPECT_EQ(readInteger(r, field("cryptTimeLimit")), 0xFFFFFFFFll);
    EXPECT_TRUE(writeInteger(r, field("duplexScaleY"), 4, -7));
    EXPECT_EQ(r.duplexScaleY[4], -7);
    EXPECT_FALSE(writeInteger(r, field("duplexScaleY"), 5, 1));  // past the list
}

TEST(RecordSchema, TextsAreCutToTheFieldAndReadWithinIt) {
    PrivateRecord r{};
    EXPECT_TRUE(writeText(r, field("jobName"), "Payroll \xC3\xA9t\xC3\xA9"));
    EXPECT_EQ(readField(r.jobName), u"Payroll \u00E9t\u00E9");
    EXPECT_FALSE(writeText(r, field("password"), "123456"));
    EXPECT_EQ(readField(r.password), u"1234");
    // A field without its terminator is read to its end, or to the limit.
    std::memset(r.wmColorText, 'A', sizeof r.wmColorText);
    EXPECT_EQ(readText(r, field("wmColorText")), std::string(16, 'A'));
    EXPECT_EQ(readText(r, field("wmColorText"), 15), std::string(15, 'A'));
}

TEST(RecordSchema, TablesCarryTheirCountAndAreReadWithinIt) {
    PrivateRecord r{};
    r.ccmTableNt[10] = 0x77;
    EXPECT_TRUE(writeBytes(r, field("ccmTableNt"), std::string("\x01\x02\x03", 3)));
    EXPECT_EQ(r.ccmTableNtCount, 3);
    EXPECT_EQ(r.ccmTableNt[10], 0);  // the rest is cleared
    EXPECT_EQ(readBytes(r, field("ccmTableNt")), std::string("\x01\x02\x03", 3));
    EXPECT_FALSE(writeBytes(r, field("ccmTableNt"), std::string(254, 'x')));
    EXPECT_EQ(r.ccmTableNtCount, 3);
    // A count beyond the table, as a foreign record may hold, reads the table.
    r.ccmTableNtCount = 60000;
    EXPECT_EQ(readBytes(r, field("ccmTableNt")).size(), sizeof r.ccmTableNt);
}

// The dump describes any field by the schema, and one element of a list.
TEST(RecordSchema, TheDumpDescribesEveryFieldAndElement) {
    PrivateRecord r{};
    writeText(r, field("wmText"), "CONFIDENTIAL");
    r.overlayIds[2] = 255;
    r.ccmSetting = 0x12;
    EXPECT_EQ(host::describeField(r, "wmText"), "\"CONFIDENTIAL\"");
    EXPECT_EQ(host::describeField(r, "overlayIds"), "0, 0, 255, 0");
    EXPECT_EQ(host::describeField(r, "overlayIds[2]"), "255");
    EXPECT_EQ(host::describeField(r, "overlayIds[4]"), "?");
    EXPECT_EQ(host::describeField(r, "ccmSetting"), "0x00000012");
}
