#include "PastedCoordinates.h"
#include "FakeDialog.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <string>
#include <vector>

namespace {

PlainDecimal decimal(const char* text, Axis axis) {
    PlainDecimal value{};
    std::strcpy(value.text, text);
    value.axis = axis;
    return value;
}

RecognisedCoordinate pair() {
    return {
        PastedForm::Pair, {}, decimal("113.5", Axis::Longitude), decimal("23.5", Axis::Latitude)};
}

RecognisedCoordinate oneValue(Axis axis) {
    return {PastedForm::OneValue, decimal("-7.25", axis), {}, {}};
}

RecognisedCoordinate asItStands() {
    return {PastedForm::AsItStands, {}, {}, {}};
}

struct PlacementCase {
    const char* name;
    RecognisedCoordinate pasted;
    int pastedInto;
    std::vector<std::string> log; // the writes, in order; a write is the field's whole text
    std::vector<std::pair<int, const char*>> texts;
};

const PlacementCase kCases[] = {
    {"PairIntoTheCorrectionLatitude",
     pair(),
     IDC_CORRECT_LAT_IN,
     {"write 1000", "write 1003"},
     {{IDC_CORRECT_LON_IN, "113.5"}, {IDC_CORRECT_LAT_IN, "23.5"}}},
    {"PairIntoTheOffsetLatitude",
     pair(),
     IDC_OFFSET_LAT_IN,
     {"write 1005", "write 1008"},
     {{IDC_OFFSET_LON_IN, "113.5"}, {IDC_OFFSET_LAT_IN, "23.5"}}},
    {"ValueOfThePastedIntoAxis",
     oneValue(Axis::Latitude),
     IDC_OFFSET_LAT_IN,
     {"write 1008"},
     {{IDC_OFFSET_LAT_IN, "-7.25"}}},
    {"ValueOfTheOtherAxisGoesToItsField",
     oneValue(Axis::Longitude),
     IDC_CORRECT_LAT_IN,
     {"write 1000"},
     {{IDC_CORRECT_LON_IN, "-7.25"}}},
    {"UnnamedValueIntoThePastedIntoField",
     oneValue(Axis::Unnamed),
     IDC_CORRECT_LAT_IN,
     {"write 1003"},
     {{IDC_CORRECT_LAT_IN, "-7.25"}}},
    {"AsItStandsWritesNothing", asItStands(), IDC_CORRECT_LON_IN, {}, {}},
    // Only the input fields take a coordinate; an output field pastes as an edit does.
    {"OutputFieldTakesNone", pair(), IDC_CORRECT_LON_OUT, {}, {}},
    {"UnknownIdTakesNone", oneValue(Axis::Longitude), 0, {}, {}},
};

void PrintTo(const PlacementCase& test, std::ostream* out) {
    *out << test.name;
}

class PlacementTest : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(PlacementTest, WritesTheFieldsTheValuesBelongIn) {
    const PlacementCase& test = GetParam();
    FakeDialog dialog;
    for (int id : {IDC_CORRECT_LON_IN, IDC_CORRECT_LON_OUT, IDC_CORRECT_LAT_IN, IDC_CORRECT_LAT_OUT,
                   IDC_OFFSET_LON_IN, IDC_OFFSET_LON_OUT, IDC_OFFSET_LAT_IN, IDC_OFFSET_LAT_OUT}) {
        dialog.set(id, "before");
    }
    const bool placed = placePastedCoordinate(dialog, test.pastedInto, test.pasted);
    EXPECT_EQ(placed, !test.log.empty()) << "false exactly when the edit is to paste";
    EXPECT_EQ(dialog.log(), test.log);
    for (const auto& [id, text] : test.texts) {
        EXPECT_EQ(dialog.text(id), text) << "field " << id;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, PlacementTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PlacementTest, EachInputFieldHoldsItsAxis) {
    EXPECT_EQ(axisOfField(IDC_CORRECT_LON_IN), Axis::Longitude);
    EXPECT_EQ(axisOfField(IDC_CORRECT_LAT_IN), Axis::Latitude);
    EXPECT_EQ(axisOfField(IDC_OFFSET_LON_IN), Axis::Longitude);
    EXPECT_EQ(axisOfField(IDC_OFFSET_LAT_IN), Axis::Latitude);
    EXPECT_EQ(axisOfField(IDC_OFFSET_LAT_OUT), Axis::Unnamed);
}

} // namespace
