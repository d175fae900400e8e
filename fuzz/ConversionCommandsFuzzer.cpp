// Both conversion commands end to end on the fake dialog, with any text in the four input fields.
#include "ConversionCommands.h"
#include "FakeDialog.h"
#include "FuzzCheck.h"
#include "NumberText.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>

namespace {

struct Group {
    void (*run)(FakeDialog&);
    int longitudeIn;
    int latitudeIn;
    int latitudeOut;
    int longitudeOut;
};

const Group kGroups[] = {
    {addOffset<FakeDialog>, IDC_OFFSET_LON_IN, IDC_OFFSET_LAT_IN, IDC_OFFSET_LAT_OUT,
     IDC_OFFSET_LON_OUT},
    {correctOffset<FakeDialog>, IDC_CORRECT_LON_IN, IDC_CORRECT_LAT_IN, IDC_CORRECT_LAT_OUT,
     IDC_CORRECT_LON_OUT},
};

// Further than any offset the region has (below 0.02 degree), plus the six-decimal rounding.
constexpr double kLargestChange = 0.1;

// What the command takes from a field: its first 99 bytes, read as a number.
double fieldValue(const std::string& text) {
    return readDecimalNumber(text.substr(0, kFieldTextSize - 1).c_str());
}

// The output shows the converted value of the input next to it: the same infinity, or a number
// that reads back as itself and lies within the offset of the input.
void checkOutput(const std::string& output, const std::string& input) {
    check(output.size() < kFieldTextSize, "the output fits the field buffer");
    const double in = fieldValue(input);
    if (std::isinf(in)) {
        check(output == (in > 0 ? "inf" : "-inf"), "an infinite input shows as inf or -inf");
        return;
    }
    const double out = readDecimalNumber(output.c_str());
    char reprinted[kFieldTextSize];
    formatSixDecimals(out, reprinted, sizeof reprinted);
    check(output == reprinted, "the output reads back as the value it shows");
    check(std::fabs(out - in) <= kLargestChange, "the output lies within the offset of the input");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Window text ends at its first NUL, so NULs split the input into the four input fields' texts
    // (missing ones are empty); whatever follows a fourth NUL is ignored.
    std::string texts[4];
    std::size_t field = 0;
    for (std::size_t i = 0; i < size && field < 4; ++i) {
        if (data[i] == 0) {
            ++field;
        } else {
            texts[field] += static_cast<char>(data[i]);
        }
    }

    FakeDialog dialog;
    for (std::size_t g = 0; g < std::size(kGroups); ++g) {
        dialog.set(kGroups[g].longitudeIn, texts[2 * g]);
        dialog.set(kGroups[g].latitudeIn, texts[2 * g + 1]);
        dialog.set(kGroups[g].latitudeOut, "typed over");
        dialog.set(kGroups[g].longitudeOut, "typed over");
    }
    for (const Group& group : kGroups) {
        group.run(dialog);
    }
    for (std::size_t g = 0; g < std::size(kGroups); ++g) {
        const Group& group = kGroups[g];
        check(dialog.text(group.longitudeIn) == texts[2 * g], "the longitude input is unchanged");
        check(dialog.text(group.latitudeIn) == texts[2 * g + 1], "the latitude input is unchanged");
        checkOutput(dialog.text(group.longitudeOut), texts[2 * g]);
        checkOutput(dialog.text(group.latitudeOut), texts[2 * g + 1]);
    }
    return 0;
}
