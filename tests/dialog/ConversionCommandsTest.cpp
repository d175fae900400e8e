#include "ConversionCommands.h"
#include "FakeDialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <iterator>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

// Every field holds text: what the user typed into an output field is there to be overwritten.
FakeDialog dialogWith(int longitudeIn, const std::string& longitude, int latitudeIn,
                      const std::string& latitude) {
    FakeDialog dialog;
    for (int id : {IDC_CORRECT_LON_IN, IDC_CORRECT_LON_OUT, IDC_CORRECT_LAT_IN, IDC_CORRECT_LAT_OUT,
                   IDC_OFFSET_LON_IN, IDC_OFFSET_LON_OUT, IDC_OFFSET_LAT_IN, IDC_OFFSET_LAT_OUT}) {
        dialog.set(id, "typed by the user " + std::to_string(id));
    }
    dialog.set(longitudeIn, longitude);
    dialog.set(latitudeIn, latitude);
    return dialog;
}

struct Command {
    const char* name;
    void (*run)(FakeDialog&);
    int longitudeIn;
    int latitudeIn;
    int latitudeOut;
    int longitudeOut;
};

const Command kAddOffset = {"add offset",      addOffset<FakeDialog>, IDC_OFFSET_LON_IN,
                            IDC_OFFSET_LAT_IN, IDC_OFFSET_LAT_OUT,    IDC_OFFSET_LON_OUT};
const Command kCorrectOffset = {"correct offset",   correctOffset<FakeDialog>, IDC_CORRECT_LON_IN,
                                IDC_CORRECT_LAT_IN, IDC_CORRECT_LAT_OUT,       IDC_CORRECT_LON_OUT};

struct Case {
    const char* name;
    const Command& command;
    std::string longitude;
    std::string latitude;
    const char* latitudeOut;
    const char* longitudeOut;
};

const std::string k98Spaces(98, ' ');

const Case kCases[] = {
    {"dialog fixture", kAddOffset, "113.540124", "23.517846", "23.515146", "113.545324"},
    {"dialog fixture", kCorrectOffset, "113.545324", "23.515146", "23.517846", "113.540124"},
    {"empty fields", kAddOffset, "", "", "0.000000", "0.000000"},
    {"empty fields", kCorrectOffset, "", "", "0.000000", "0.000000"},
    {"outside the region", kAddOffset, "10", "10", "10.000000", "10.000000"},
    {"outside the region", kCorrectOffset, "10", "10", "10.000000", "10.000000"},
    {"trailing text", kAddOffset, "10", "23.5abc", "23.500000", "10.000000"},
    {"trailing text", kCorrectOffset, "10xyz", "23.5 north", "23.500000", "10.000000"},
    {"seven decimals", kAddOffset, "-10.1234567", "10.7654321", "10.765432", "-10.123457"},
    {"seven decimals", kCorrectOffset, "-10.1234567", "10.7654321", "10.765432", "-10.123457"},
    {"byte 99 counts", kAddOffset, k98Spaces + "5", k98Spaces + "6", "6.000000", "5.000000"},
    {"byte 100 does not", kAddOffset, k98Spaces + "57", k98Spaces + "68", "6.000000", "5.000000"},
    {"byte 100 does not", kCorrectOffset, k98Spaces + "57", k98Spaces + "68", "6.000000",
     "5.000000"},
    {"only spaces in 99 bytes", kAddOffset, std::string(99, ' ') + "5", "1", "1.000000",
     "0.000000"},
    {"not numbers", kAddOffset, "inf", "nan", "0.000000", "0.000000"},
    {"hexadecimal", kCorrectOffset, "0x71", "0x17", "0.000000", "0.000000"},
    {"beyond the double range", kAddOffset, "1e999", "23.5", "23.500000", "inf"},
    {"beyond the double range", kCorrectOffset, "113.5", "-1e999", "-inf", "113.500000"},
    {"too long for fixed-point", kAddOffset, "-1e91", "1e300", "1e+300", "-1e+91"},
    {"no true counterpart: western band", kCorrectOffset, "72.0045", "30", "30.000000",
     "72.004500"},
    {"no true counterpart: southern band", kCorrectOffset, "100", "0.8295", "0.829500",
     "100.000000"},
};

TEST(ConversionCommands, WriteTheConvertedCoordinates) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.command.name << ": " << c.name);
        FakeDialog dialog =
            dialogWith(c.command.longitudeIn, c.longitude, c.command.latitudeIn, c.latitude);
        const std::map<int, std::string> before = dialog.texts();
        c.command.run(dialog);

        EXPECT_EQ(dialog.text(c.command.latitudeOut), c.latitudeOut);
        EXPECT_EQ(dialog.text(c.command.longitudeOut), c.longitudeOut);
        // Inputs and the other group stay as they were.
        for (const auto& [id, text] : before) {
            if (id != c.command.latitudeOut && id != c.command.longitudeOut) {
                EXPECT_EQ(dialog.text(id), text) << "field " << id;
            }
        }
    }
}

TEST(ConversionCommands, ReadLongitudeFirstAndWriteLatitudeFirst) {
    for (const Command* command : {&kAddOffset, &kCorrectOffset}) {
        SCOPED_TRACE(command->name);
        FakeDialog dialog = dialogWith(command->longitudeIn, "113.5", command->latitudeIn, "23.5");
        command->run(dialog);
        const std::vector<std::string> expected = {
            "read " + std::to_string(command->longitudeIn),
            "read " + std::to_string(command->latitudeIn),
            "write " + std::to_string(command->latitudeOut),
            "write " + std::to_string(command->longitudeOut),
        };
        EXPECT_EQ(dialog.log(), expected);
    }
}

// Each group's initial input is the other group's expected output.
TEST(ConversionCommands, EachDirectionUndoesTheOther) {
    FakeDialog dialog = dialogWith(IDC_OFFSET_LON_IN, "116.397230", IDC_OFFSET_LAT_IN, "39.907500");
    addOffset(dialog);
    dialog.set(IDC_CORRECT_LON_IN, dialog.text(IDC_OFFSET_LON_OUT));
    dialog.set(IDC_CORRECT_LAT_IN, dialog.text(IDC_OFFSET_LAT_OUT));
    correctOffset(dialog);
    EXPECT_EQ(dialog.text(IDC_CORRECT_LON_OUT), "116.397230");
    EXPECT_EQ(dialog.text(IDC_CORRECT_LAT_OUT), "39.907500");
}

// Fields whose reads fail, apart from those given a text: GetWindowText then returns 0 and need
// not write the buffer at all.
class PartlyReadableDialog {
public:
    class Field {
    public:
        Field(PartlyReadableDialog& dialog, int id) : m_dialog(dialog), m_id(id) {}

        int GetWindowText(char* buffer, int size) const {
            const auto readable = m_dialog.m_readable.find(m_id);
            if (readable == m_dialog.m_readable.end()) {
                return 0;
            }
            const std::string& text = readable->second;
            EXPECT_LT(text.size(), static_cast<std::size_t>(size));
            std::memcpy(buffer, text.c_str(), text.size() + 1);
            return static_cast<int>(text.size());
        }

        void SetWindowText(const char* text) { m_dialog.m_written[m_id] = text; }

    private:
        PartlyReadableDialog& m_dialog;
        int m_id;
    };

    explicit PartlyReadableDialog(std::map<int, std::string> readable)
        : m_readable(std::move(readable)) {}
    Field GetDlgItem(int id) { return Field(*this, id); }
    const std::string& written(int id) const { return m_written.at(id); }

private:
    std::map<int, std::string> m_readable;
    std::map<int, std::string> m_written;
};

// Leaves digits where the command's buffer will lie, as an earlier, deeper call would.
[[gnu::noinline]] void fillTheStackWithDigits() {
    volatile char digits[4096];
    std::fill(std::begin(digits), std::end(digits), '7');
}

// A field that cannot be read reads as 0: never as what the stack held before the command, nor as
// the other field's text, read into the same buffer just before.
TEST(ConversionCommands, ReadAFieldThatCannotBeReadAsEmpty) {
    struct Case {
        const char* name;
        void (*run)(PartlyReadableDialog&);
        std::map<int, std::string> readable;
        int latitudeOut;
        const char* latitude;
        int longitudeOut;
        const char* longitude;
    };
    const Case cases[] = {
        {"neither",
         addOffset<PartlyReadableDialog>,
         {},
         IDC_OFFSET_LAT_OUT,
         "0.000000",
         IDC_OFFSET_LON_OUT,
         "0.000000"},
        {"neither",
         correctOffset<PartlyReadableDialog>,
         {},
         IDC_CORRECT_LAT_OUT,
         "0.000000",
         IDC_CORRECT_LON_OUT,
         "0.000000"},
        {"the latitude",
         addOffset<PartlyReadableDialog>,
         {{IDC_OFFSET_LON_IN, "113.5"}},
         IDC_OFFSET_LAT_OUT,
         "0.000000",
         IDC_OFFSET_LON_OUT,
         "113.500000"},
        {"the latitude",
         correctOffset<PartlyReadableDialog>,
         {{IDC_CORRECT_LON_IN, "113.5"}},
         IDC_CORRECT_LAT_OUT,
         "0.000000",
         IDC_CORRECT_LON_OUT,
         "113.500000"},
        {"the longitude",
         addOffset<PartlyReadableDialog>,
         {{IDC_OFFSET_LAT_IN, "23.5"}},
         IDC_OFFSET_LAT_OUT,
         "23.500000",
         IDC_OFFSET_LON_OUT,
         "0.000000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "unreadable: " << c.name);
        PartlyReadableDialog dialog(c.readable);
        fillTheStackWithDigits();
        c.run(dialog);
        EXPECT_EQ(dialog.written(c.latitudeOut), c.latitude);
        EXPECT_EQ(dialog.written(c.longitudeOut), c.longitude);
    }
}

} // namespace
