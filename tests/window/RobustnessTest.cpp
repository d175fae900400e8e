#include "ConversionCommands.h"
#include "RandomInput.h"
#include "RunningVarnik.h"
#include "VarnikWindows.h"
#include "WindowDriver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <map>
#include <random>
#include <regex>
#include <string>
#include <vector>

// Random texts in the input fields of the running program, and its buttons clicked a few hundred
// times, with the About box opened and closed in between: the program never crashes or stops
// answering, every output reads as a number, and it is the number that the conversion core
// computes here from the same text; no other field changes.

namespace {

constexpr int kDefaultClicks = 300;
// More clicks for a longer run.
constexpr char kClicksVariable[] = "VARNIK_ROBUSTNESS_CLICKS";
// About one click in so many opens and closes the About box before it.
constexpr int kClicksPerAboutBox = 20;
// Every so many clicks all fields are compared, not only those of the group clicked.
constexpr int kClicksPerFullCheck = 10;

int clicksOfThisRun() {
    const char* const chosen = std::getenv(kClicksVariable);
    return chosen != nullptr && std::atoi(chosen) > 0 ? std::atoi(chosen) : kDefaultClicks;
}

// What each field should show, by id.
using FieldTexts = std::map<int, std::wstring>;

FieldTexts fieldTextsOf(const RunningVarnik& app) {
    FieldTexts texts;
    for (const int id : kEditFields) {
        texts[id] = textOf(app.field(id));
    }
    return texts;
}

// The forms a printed value takes: six decimals, the shortest exponent form of a value too large
// for six decimals in 99 characters, or infinity.
bool readsAsANumber(const std::wstring& output) {
    static const std::wregex forms(
        LR"(-?[0-9]+\.[0-9]{6}|-?[1-9](\.[0-9]+)?e[+-][0-9]{2,3}|-?inf)");
    return output.size() < kFieldTextSize && std::regex_match(output, forms);
}

template <class Ids>
void expectFieldsShow(const RunningVarnik& app, const FieldTexts& expected, const Ids& ids) {
    for (const int id : ids) {
        const std::wstring shown = textOf(app.field(id));
        EXPECT_TRUE(shown == expected.at(id)) << "field " << id << " shows " << printable(shown)
                                              << " instead of " << printable(expected.at(id));
    }
}

// The program reads a field with GetWindowTextA into a 100-byte buffer: at most the first 99
// bytes of its text in the ANSI code page.
std::string bytesTheProgramReads(const std::wstring& fieldText) {
    std::string bytes = ansiBytesOf(fieldText);
    bytes.resize(std::min(bytes.size(), kFieldTextSize - 1));
    return bytes;
}

double numberTheProgramReads(const std::wstring& fieldText) {
    return readDecimalNumber(bytesTheProgramReads(fieldText).c_str());
}

std::wstring printed(double value) {
    char buffer[kFieldTextSize];
    formatSixDecimals(value, buffer, sizeof buffer);
    return std::wstring(buffer, buffer + std::char_traits<char>::length(buffer));
}

struct Conversion {
    const char* buttonName;
    CoordinateTransform transform;
};

Conversion conversionOf(const Group& group) {
    return &group == &kOffset ? Conversion{"加偏", toMapCoordinates}
                              : Conversion{"纠偏", toTrueCoordinates};
}

} // namespace

class RobustnessTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(app.window(), nullptr); }

    // The program will find the text in the field; that it is still there is checked after the
    // click.
    void type(int id, const std::wstring& text) {
        setTextOf(app.field(id), text);
        fields[id] = text;
    }

    // Opens the About box with a command id that masks to the About command, and closes it in
    // one of the ways a user closes it.
    void openAndCloseTheAboutBox() {
        const auto nibble = static_cast<WORD>(std::uniform_int_distribution<int>(0, 0xF)(random));
        const WPARAM command =
            withRandomUpperBits(random, static_cast<WORD>(kAboutCommand | nibble));
        SCOPED_TRACE(::testing::Message() << "About box for command 0x" << std::hex << command);
        PostMessageW(app.window(), WM_SYSCOMMAND, command, 0);
        const HWND about = app.waitForSecondDialog();
        ASSERT_NE(about, nullptr) << "no About box";
        EXPECT_EQ(textOf(about), kAboutCaption);
        switch (std::uniform_int_distribution<int>(0, 3)(random)) {
        case 0:
            click(GetDlgItem(about, IDOK));
            break;
        case 1:
            pressKey(focusOf(app.threadId()), VK_ESCAPE);
            break;
        case 2:
            pressKey(focusOf(app.threadId()), VK_RETURN);
            break;
        default:
            PostMessageW(about, WM_CLOSE, 0, 0);
            break;
        }
        EXPECT_TRUE(waitUntil([about] { return !IsWindow(about); })) << "the About box stayed";
        EXPECT_TRUE(waitUntil([this] { return IsWindowEnabled(app.window()) != FALSE; }))
            << "the main dialog stayed disabled";
    }

    std::mt19937_64 random{testSeed()};
    RunningVarnik app;
    FieldTexts fields = fieldTextsOf(app);
};

TEST_F(RobustnessTest, NoTextCrashesHangsOrPrintsAWrongNumber) {
    const int clicks = clicksOfThisRun();
    std::cout << clicks << " clicks (" << kClicksVariable
              << " sets another number), ANSI code page " << GetACP() << std::endl;
    for (int clickNumber = 1; clickNumber <= clicks && !HasFailure(); ++clickNumber) {
        if (oneIn(random, kClicksPerAboutBox)) {
            openAndCloseTheAboutBox();
            expectFieldsShow(app, fields, kEditFields);
        }
        const Group& group = oneIn(random, 2) ? kOffset : kCorrection;
        const Conversion conversion = conversionOf(group);
        const FieldText longitude = randomFieldText(random, Axis::Longitude);
        const FieldText latitude = randomFieldText(random, Axis::Latitude);
        SCOPED_TRACE(::testing::Message()
                     << "click " << clickNumber << " (seed " << testSeed() << ") on "
                     << conversion.buttonName << " with longitude " << printable(longitude.text)
                     << " (" << longitude.kind << ") and latitude " << printable(latitude.text)
                     << " (" << latitude.kind << ")");
        type(group.longitudeIn, longitude.text);
        type(group.latitudeIn, latitude.text);
        // Whatever stands in the output fields is overwritten.
        if (oneIn(random, 4)) {
            type(group.latitudeOut, randomFieldText(random, Axis::Latitude).text);
            type(group.longitudeOut, randomFieldText(random, Axis::Longitude).text);
        }

        ASSERT_TRUE(click(app.field(group.button))) << "the program crashed or stopped answering";

        double latitudeOut = 0;
        double longitudeOut = 0;
        conversion.transform(numberTheProgramReads(fields[group.latitudeIn]),
                             numberTheProgramReads(fields[group.longitudeIn]), latitudeOut,
                             longitudeOut);
        fields[group.latitudeOut] = printed(latitudeOut);
        fields[group.longitudeOut] = printed(longitudeOut);
        // What the outputs must show reads as a number, and they must show just that.
        for (const int output : {group.latitudeOut, group.longitudeOut}) {
            EXPECT_TRUE(readsAsANumber(fields[output]))
                << "field " << output << " is to show " << printable(fields[output]);
        }
        // The group's fields after every click, all fields now and then.
        expectFieldsShow(app, fields,
                         clickNumber % kClicksPerFullCheck == 0
                             ? std::vector<int>(std::begin(kEditFields), std::end(kEditFields))
                             : std::vector<int>{group.longitudeIn, group.latitudeIn,
                                                group.latitudeOut, group.longitudeOut});
    }
}
