#include "RunningVarnik.h"
#include "VarnikWindows.h"
#include "WindowDriver.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>

namespace {

struct ConversionCase {
    const char* name;
    const Group& group;
    std::wstring longitude;
    std::wstring latitude;
    std::wstring latitudeOut;
    std::wstring longitudeOut;
};

// Failure messages name the case.
void PrintTo(const ConversionCase& test, std::ostream* out) {
    *out << test.name;
}

// A field text of 100 characters whose first 99 read as 10 and whose 100th would make it 100,
// a point inside the offset region together with the latitude below.
const std::wstring kLongitudeWithAHundredthByte = std::wstring(97, L'0') + L"10" + L"0";
// 99 characters read as 1; with the 100th they would read as 15.
const std::wstring kLatitudeWithAHundredthByte = std::wstring(98, L'0') + L"1" + L"5";

// What the conversions give is the native table's (tests/dialog); here each button converts its
// own group through the real fields: the sample point, empty fields, and a text longer than the
// 99 bytes that a field read takes.
const ConversionCase kCases[] = {
    {"OffsetOfTheInitialPoint", kOffset, L"113.540124", L"23.517846", L"23.515146", L"113.545324"},
    {"CorrectionOfTheInitialPoint", kCorrection, L"113.545324", L"23.515146", L"23.517846",
     L"113.540124"},
    {"OffsetOfEmptyFields", kOffset, L"", L"", L"0.000000", L"0.000000"},
    {"CorrectionOfEmptyFields", kCorrection, L"", L"", L"0.000000", L"0.000000"},
    {"OffsetReadsOnly99Bytes", kOffset, kLongitudeWithAHundredthByte, kLatitudeWithAHundredthByte,
     L"1.000000", L"10.000000"},
    {"CorrectionReadsOnly99Bytes", kCorrection, kLongitudeWithAHundredthByte,
     kLatitudeWithAHundredthByte, L"1.000000", L"10.000000"},
};

} // namespace

// Each case types into one group, clicks its button and reads the result. One program serves
// all cases: every case sets each field it depends on, and a hung program is replaced.
class ConversionTest : public ::testing::TestWithParam<ConversionCase> {
protected:
    static void TearDownTestSuite() { app.reset(); }

    void SetUp() override {
        startUnlessAnswering(app);
        ASSERT_NE(app->window(), nullptr);
    }

    static std::unique_ptr<RunningVarnik> app;
};

std::unique_ptr<RunningVarnik> ConversionTest::app;

TEST_P(ConversionTest, ButtonWritesTheConvertedPointAndNothingElse) {
    const ConversionCase& test = GetParam();
    const Group& group = test.group;
    const Group& other = &group == &kCorrection ? kOffset : kCorrection;
    const std::wstring kTyped = L"typed by the user";
    const int otherFields[] = {other.longitudeIn, other.latitudeIn, other.latitudeOut,
                               other.longitudeOut};
    for (const int id : otherFields) {
        setTextOf(app->field(id), L"other group " + std::to_wstring(id));
    }
    setTextOf(app->field(group.longitudeIn), test.longitude);
    setTextOf(app->field(group.latitudeIn), test.latitude);
    setTextOf(app->field(group.latitudeOut), kTyped);
    setTextOf(app->field(group.longitudeOut), kTyped);

    ASSERT_TRUE(click(app->field(group.button))) << "the program hangs";

    EXPECT_EQ(textOf(app->field(group.latitudeOut)), test.latitudeOut);
    EXPECT_EQ(textOf(app->field(group.longitudeOut)), test.longitudeOut);
    EXPECT_EQ(textOf(app->field(group.longitudeIn)), test.longitude) << "input changed";
    EXPECT_EQ(textOf(app->field(group.latitudeIn)), test.latitude) << "input changed";
    for (const int id : otherFields) {
        EXPECT_EQ(textOf(app->field(id)), L"other group " + std::to_wstring(id))
            << "field " << id << " of the other group changed";
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ConversionTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });
