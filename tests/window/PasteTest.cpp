#include "RunningVarnik.h"
#include "VarnikWindows.h"
#include "WindowDriver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <cwchar>
#include <iostream>
#include <memory>
#include <string>

// Coordinates as users bring them to the input fields: pasted from the clipboard in the forms
// web maps, GPS units, spreadsheets and chats give, and typed by a Chinese input method. Run in
// the Chinese code page, where full-width digits in a field read as 0.

namespace {

// What both input fields of the group hold before each paste. WM_SETTEXT leaves the caret at 0,
// where a text pasted as it stands goes.
const std::wstring kLongitudeBefore = L"1.5";
const std::wstring kLatitudeBefore = L"2.5";

enum class Into { Longitude, Latitude };

struct PasteCase {
    const char* name;
    std::wstring clipboard;
    Into into;
    std::wstring longitude; // what the fields hold afterwards
    std::wstring latitude;
};

void PrintTo(const PasteCase& test, std::ostream* out) {
    *out << test.name;
}

// A pair that, with the blanks after it, is longer than any text taken for a coordinate.
const std::wstring kOverlong = L"113.5,23.5" + std::wstring(300, L' ');

const PasteCase kPasteCases[] = {
    {"LatitudeFirstPair", L"23.515146, 113.545324", Into::Longitude, L"113.545324", L"23.515146"},
    {"LongitudeFirstPair", L"113.545324,23.515146", Into::Latitude, L"113.545324", L"23.515146"},
    {"TabBetween", L"113.545324\t23.515146\r\n", Into::Longitude, L"113.545324", L"23.515146"},
    {"DmsPair", L"23°30′54.5256″N 113°32′43.1664″E", Into::Latitude, L"113.545324", L"23.515146"},
    {"HemisphereLetters", L"N23.515146 E113.545324", Into::Longitude, L"113.545324", L"23.515146"},
    {"IdeographicFullStop", L"113。545324", Into::Longitude, L"113.545324", kLatitudeBefore},
    {"FullWidthSingle", L"２３．５１５１４６", Into::Latitude, kLongitudeBefore, L"23.515146"},
    {"DmsWithWordsIntoTheLatitude", L"东经113°32′43.1664″", Into::Latitude, L"113.545324",
     kLatitudeBefore},
    {"LatitudeLettersIntoTheLongitude", L"N23.515146", Into::Longitude, kLongitudeBefore,
     L"23.515146"},
    // Beyond 90 as a latitude, so no coordinate: the field it was pasted into decides.
    {"FullWidthLatitudeBeyond90", L"９５．５", Into::Latitude, kLongitudeBefore,
     L"９５．５" + kLatitudeBefore},
    {"PlainSingleAtTheCaret", L"113.5", Into::Longitude, L"113.5" + kLongitudeBefore,
     kLatitudeBefore},
    {"TrailingText", L"23.5 north", Into::Latitude, kLongitudeBefore,
     L"23.5 north" + kLatitudeBefore},
    {"Words", L"see the map", Into::Longitude, L"see the map" + kLongitudeBefore, kLatitudeBefore},
    {"ThreeNumbers", L"113.5, 23.5, 10", Into::Latitude, kLongitudeBefore,
     L"113.5, 23.5, 10" + kLatitudeBefore},
    {"LatitudeBeyond90", L"113.5, 95.5", Into::Longitude, L"113.5, 95.5" + kLongitudeBefore,
     kLatitudeBefore},
    {"LongerThanTheLimit", kOverlong, Into::Latitude, kLongitudeBefore,
     kOverlong + kLatitudeBefore},
};

// A DMS text becomes a decimal within 1e-9 degree of its value, in whatever digits.
bool sameCoordinate(const std::wstring& shown, const std::wstring& expected, bool dms) {
    return dms ? std::abs(std::wcstod(shown.c_str(), nullptr) -
                          std::wcstod(expected.c_str(), nullptr)) <= 1e-9
               : shown == expected;
}

// The text on one line of the record, its tabs and line ends written out, a long one cut short.
std::string oneLine(const std::wstring& text) {
    constexpr std::size_t kShown = 40;
    std::wstring line;
    for (const wchar_t character : text.substr(0, kShown)) {
        line += character == L'\t'   ? L"\\t"
                : character == L'\r' ? L"\\r"
                : character == L'\n' ? L"\\n"
                                     : std::wstring(1, character);
    }
    if (text.size() > kShown) {
        line += L"... (" + std::to_wstring(text.size()) + L" units)";
    }
    return utf8(line);
}

// As another program copies text: the clipboard emptied and given the text in UTF-16.
bool copyToClipboard(const std::wstring& text) {
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (block == nullptr) {
        return false;
    }
    std::memcpy(GlobalLock(block), text.c_str(), bytes);
    GlobalUnlock(block);
    if (!OpenClipboard(nullptr)) {
        GlobalFree(block);
        return false;
    }
    EmptyClipboard();
    const bool given = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
    CloseClipboard();
    if (!given) {
        GlobalFree(block);
    }
    return given;
}

} // namespace

// One program serves all cases; each sets the fields it reads.
class PasteTest : public ::testing::TestWithParam<PasteCase> {
protected:
    static void TearDownTestSuite() { app.reset(); }

    void SetUp() override {
        startUnlessAnswering(app);
        ASSERT_NE(app->window(), nullptr);
    }

    // Sets the group's inputs to what they hold before, and pastes text into one of them.
    static HWND pasteInto(const Group& group, Into into, const std::wstring& text) {
        setTextOf(app->field(group.longitudeIn), kLongitudeBefore);
        setTextOf(app->field(group.latitudeIn), kLatitudeBefore);
        EXPECT_TRUE(copyToClipboard(text));
        const HWND field =
            app->field(into == Into::Longitude ? group.longitudeIn : group.latitudeIn);
        EXPECT_TRUE(sendWithin(field, WM_PASTE, 0, 0)) << "the program hangs";
        return field;
    }

    static std::unique_ptr<RunningVarnik> app;
};

std::unique_ptr<RunningVarnik> PasteTest::app;

TEST_P(PasteTest, FillsTheFieldsTheFormNames) {
    const PasteCase& test = GetParam();
    const bool dms = std::string(test.name).rfind("Dms", 0) == 0;
    for (const Group* group : {&kCorrection, &kOffset}) {
        const HWND field = pasteInto(*group, test.into, test.clipboard);
        const std::wstring longitude = textOf(app->field(group->longitudeIn));
        const std::wstring latitude = textOf(app->field(group->latitudeIn));
        // The table of what the fields hold, for the record.
        std::cout << "pasted " << test.name << " into the "
                  << (group == &kCorrection ? "correction" : "offset") << " group's "
                  << (test.into == Into::Longitude ? "longitude" : "latitude") << ": ["
                  << oneLine(test.clipboard) << "] -> longitude [" << oneLine(longitude)
                  << "] latitude [" << oneLine(latitude) << "]\n";
        EXPECT_TRUE(sameCoordinate(longitude, test.longitude, dms)) << utf8(longitude);
        EXPECT_TRUE(sameCoordinate(latitude, test.latitude, dms)) << utf8(latitude);

        // Ctrl+Z in the pasted-into field, the character the keyboard makes of it, gives back
        // what the field held.
        ASSERT_TRUE(sendWithin(field, WM_CHAR, 0x1A, 1));
        EXPECT_EQ(textOf(field), test.into == Into::Longitude ? kLongitudeBefore : kLatitudeBefore);
    }
}

INSTANTIATE_TEST_SUITE_P(Forms, PasteTest, ::testing::ValuesIn(kPasteCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The group's button converts the pasted point as the fields show it.
TEST_F(PasteTest, TheButtonConvertsAPastedPair) {
    pasteInto(kCorrection, Into::Latitude, L"23.515146, 113.545324");
    ASSERT_TRUE(click(app->field(kCorrection.button))) << "the program hangs";
    EXPECT_EQ(textOf(app->field(kCorrection.latitudeOut)), L"23.517846");
    EXPECT_EQ(textOf(app->field(kCorrection.longitudeOut)), L"113.540124");
}

// However an input method delivers a character, the field shows the ASCII form the program
// reads; the caret goes on after it. The edit passes WM_IME_CHAR on to become a posted WM_CHAR,
// so the field's text is waited for.
TEST_F(PasteTest, TypedFullWidthCharactersArriveAsAscii) {
    const std::wstring kTyped = L"－１１３。５４５３２４＋．北a";
    const std::wstring kShown = L"-113.545324+.北a";
    for (const UINT message : {WM_CHAR, WM_IME_CHAR}) {
        for (const int id : {kCorrection.longitudeIn, kCorrection.latitudeIn, kOffset.longitudeIn,
                             kOffset.latitudeIn}) {
            setTextOf(app->field(id), L"");
            for (const wchar_t character : kTyped) {
                ASSERT_TRUE(sendWithin(app->field(id), message, character, 1));
            }
            waitUntil([&] { return textOf(app->field(id)) == kShown; });
            const std::wstring shown = textOf(app->field(id));
            std::cout << "typed as " << (message == WM_CHAR ? "WM_CHAR" : "WM_IME_CHAR") << " ["
                      << utf8(kTyped) << "] into field " << id << ": [" << utf8(shown) << "]\n";
            EXPECT_EQ(shown, kShown) << "field " << id;
        }
    }
}

// Text set by a program stays exactly as set, full-width or not.
TEST_F(PasteTest, TextSetByAProgramStaysAsSet) {
    const std::wstring kSet = L"１１３。５ N23°";
    for (const int id : kEditFields) {
        setTextOf(app->field(id), kSet);
        EXPECT_EQ(textOf(app->field(id)), kSet) << "field " << id;
    }
}
