#include "RandomInput.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <iterator>

namespace {

constexpr std::uint64_t kDefaultSeed = 20130517;

// The offset region's box, in degrees.
constexpr double kWest = 72.004;
constexpr double kEast = 137.8347;
constexpr double kSouth = 0.8293;
constexpr double kNorth = 55.8271;

// How far inside the western and southern bounds a map point can be the image of no true point.
constexpr double kWesternBand = 0.008;
constexpr double kSouthernBand = 0.0016;

int between(std::mt19937_64& random, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
}

double uniform(std::mt19937_64& random, double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(random);
}

template <class Item, std::size_t count>
const Item& oneOf(std::mt19937_64& random, const Item (&items)[count]) {
    return items[std::uniform_int_distribution<std::size_t>(0, count - 1)(random)];
}

wchar_t pick(std::mt19937_64& random, const std::wstring& alphabet) {
    return alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(random)];
}

std::wstring drawn(std::mt19937_64& random, const std::wstring& alphabet, int length) {
    std::wstring text;
    for (int i = 0; i < length; ++i) {
        text += pick(random, alphabet);
    }
    return text;
}

std::wstring decimal(double value, int decimals) {
    wchar_t text[400];
    std::swprintf(text, std::size(text), L"%.*f", decimals, value);
    return text;
}

// Seventeen significant digits: the text reads back as the same double.
std::wstring exact(double value) {
    wchar_t text[64];
    std::swprintf(text, std::size(text), L"%.17g", value);
    return text;
}

const std::wstring kDigits = L"0123456789";
const std::wstring kChinese = L"东经北纬度分秒经度纬度加偏纠偏坐标地图真实零一二三四五六七八九";
const std::wstring kFullWidth = L"０１２３４５６７８９．－＋ｅ";
const std::wstring kWhiteSpace = L" \t\n\v\f\r\u00A0\u2003\u3000";

struct Range {
    double low;
    double high;
};

Range regionRangeOf(Axis axis) {
    return axis == Axis::Longitude ? Range{kWest, kEast} : Range{kSouth, kNorth};
}

std::wstring pointInTheRegion(std::mt19937_64& random, Axis axis) {
    const Range range = regionRangeOf(axis);
    return decimal(uniform(random, range.low, range.high), between(random, 0, 15));
}

// On a bound, its neighbouring doubles, or a little either side of it.
std::wstring nearABound(std::mt19937_64& random, Axis axis) {
    const Range range = regionRangeOf(axis);
    const double bound = oneIn(random, 2) ? range.low : range.high;
    switch (between(random, 0, 2)) {
    case 0:
        return exact(bound);
    case 1:
        return exact(std::nextafter(bound, oneIn(random, 2) ? 0.0 : 1000.0));
    default:
        return decimal(bound + uniform(random, -0.02, 0.02), between(random, 3, 12));
    }
}

// Just inside the western or southern bound, where a map point has no true counterpart.
std::wstring inTheBands(std::mt19937_64& random, Axis axis) {
    if (axis == Axis::Longitude) {
        return decimal(kWest + uniform(random, 0.0, kWesternBand), between(random, 4, 10));
    }
    return decimal(kSouth + uniform(random, 0.0, kSouthernBand), between(random, 5, 10));
}

// Near a six-decimal rounding step, with signs and negative zero.
std::wstring atTheSixthDecimal(std::mt19937_64& random, Axis) {
    std::wstring text = oneIn(random, 2) ? L"-" : L"";
    text += std::to_wstring(between(random, 0, 200)) + L"." + drawn(random, kDigits, 6);
    return text + (oneIn(random, 2) ? L"5" : drawn(random, kDigits, between(random, 0, 12)));
}

// Far outside the region: values whose six-decimal form does not fit in 99 characters.
std::wstring huge(std::mt19937_64& random, Axis) {
    const double value = std::pow(10.0, uniform(random, 85.0, 308.25));
    return exact(oneIn(random, 2) ? -value : value);
}

std::wstring exponent(std::mt19937_64& random, Axis) {
    static const wchar_t* const mantissas[] = {L"1", L"-2.5", L".5", L"9.99",
                                               L"0", L"",     L"-",  L"+7."};
    static const wchar_t* const powers[] = {
        L"",    L"0",   L"5",    L"92",   L"308",
        L"309", L"400", L"-324", L"-400", L"99999999999999999999999999"};
    std::wstring text = oneOf(random, mantissas);
    text += pick(random, L"eEdD");
    if (!oneIn(random, 3)) {
        text += pick(random, L"+-");
    }
    return text + oneOf(random, powers);
}

std::wstring dotsAndSigns(std::mt19937_64& random, Axis) {
    return drawn(random, L"0123456789....----++++", between(random, 1, 30));
}

std::wstring whiteSpace(std::mt19937_64& random, Axis axis) {
    std::wstring text = drawn(random, kWhiteSpace, between(random, 0, 5));
    if (!oneIn(random, 3)) {
        text += pointInTheRegion(random, axis);
    }
    return text + drawn(random, kWhiteSpace, between(random, 0, 5));
}

std::wstring controlCharacters(std::mt19937_64& random, Axis) {
    std::wstring alphabet = L"0123456789.-\u007F\u0080\u0085\u009F";
    for (wchar_t c = 1; c < 0x20; ++c) {
        alphabet += c;
    }
    return drawn(random, alphabet, between(random, 1, 30));
}

std::wstring chinese(std::mt19937_64& random, Axis axis) {
    switch (between(random, 0, 3)) {
    case 0:
        return std::wstring(1, pick(random, L"东西南北")) + pick(random, L"经纬") +
               pointInTheRegion(random, axis);
    case 1:
        return std::to_wstring(between(random, 70, 140)) + L"°" +
               std::to_wstring(between(random, 0, 59)) + L"′" + pick(random, L"ENSW东北");
    case 2:
        return drawn(random, kFullWidth, between(random, 1, 12));
    default:
        return drawn(random, kChinese, between(random, 1, 20));
    }
}

// A thousand characters and more, but not many more: Wine's edit control takes 25 ms to take
// a text of 2000 characters, and 100 ms for 8000.
std::wstring veryLong(std::mt19937_64& random, Axis axis) {
    const int length = between(random, 1000, 1500);
    switch (between(random, 0, 3)) {
    case 0: // a number that goes on and on
        return pointInTheRegion(random, axis) + drawn(random, kDigits, length);
    case 1: // so many leading zeros that the number itself lies beyond the 99th byte
        return std::wstring(static_cast<std::size_t>(length), L'0') +
               pointInTheRegion(random, axis);
    case 2:
        return drawn(random, L"0123456789.-+eE ,", length);
    default:
        return drawn(random, kChinese + kDigits, length);
    }
}

// A text of exactly the given size in the ANSI code page whose last bytes decide what it reads
// as: a sign or a word, zeros, and a number at the very end, now and then followed by a Chinese
// character, which a double-byte code page splits when only the first 99 bytes are read.
std::wstring exactBytes(std::mt19937_64& random, std::size_t size) {
    const std::wstring start = oneIn(random, 4) ? drawn(random, kChinese, 1)
                                                : drawn(random, L"+- ", between(random, 0, 2));
    std::wstring end = std::to_wstring(between(random, 1, 999));
    if (oneIn(random, 3)) {
        end += L"." + std::to_wstring(between(random, 0, 9));
    }
    if (oneIn(random, 4)) {
        end += pick(random, kChinese);
    }
    std::wstring zeros;
    while (ansiBytesOf(start + zeros + end).size() < size) {
        zeros += L'0';
    }
    return start + zeros + end;
}

std::wstring exactly99Bytes(std::mt19937_64& random, Axis) {
    return exactBytes(random, 99);
}

std::wstring exactly100Bytes(std::mt19937_64& random, Axis) {
    return exactBytes(random, 100);
}

bool isNonSpacingMark(wchar_t unit) {
    WORD type = 0;
    return GetStringTypeW(CT_CTYPE3, &unit, 1, &type) && (type & C3_NONSPACING) != 0;
}

// Any UTF-16 code unit: lone surrogates, private use, non-characters; but not NUL, which would
// end the text, and no non-spacing marks. Wine's edit control keeps its text for good once it
// holds a mark of a right-to-left script before a letter of another run (U+064E U+0627): it
// ignores WM_SETTEXT, so the program's results could not replace it either.
std::wstring randomUnits(std::mt19937_64& random, Axis) {
    const auto length = static_cast<std::size_t>(between(random, 1, 60));
    std::wstring text;
    while (text.size() < length) {
        const auto unit = static_cast<wchar_t>(between(random, 1, 0xFFFF));
        if (!isNonSpacingMark(unit)) {
            text += unit;
        }
    }
    return text;
}

// Bytes pasted as ANSI text: whatever the code page makes of them.
std::wstring randomBytes(std::mt19937_64& random, Axis) {
    std::string bytes;
    for (int i = between(random, 1, 120); i > 0; --i) {
        bytes += static_cast<char>(between(random, 1, 0xFF));
    }
    const int size =
        MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), size);
    return text;
}

std::wstring empty(std::mt19937_64&, Axis) {
    return L"";
}

struct Kind {
    const char* name;
    std::wstring (*draw)(std::mt19937_64& random, Axis axis);
};

const Kind kKinds[] = {
    {"empty", empty},
    {"point in the region", pointInTheRegion},
    {"near a bound of the region", nearABound},
    {"in the western or southern band", inTheBands},
    {"at the sixth decimal", atTheSixthDecimal},
    {"huge", huge},
    {"exponent", exponent},
    {"dots and signs", dotsAndSigns},
    {"white space", whiteSpace},
    {"control characters", controlCharacters},
    {"Chinese", chinese},
    {"very long", veryLong},
    {"exactly 99 ANSI bytes", exactly99Bytes},
    {"exactly 100 ANSI bytes", exactly100Bytes},
    {"random UTF-16 units", randomUnits},
    {"random ANSI bytes", randomBytes},
};

} // namespace

std::uint64_t testSeed() {
    static const std::uint64_t seed = [] {
        const char* const chosen = std::getenv(kSeedVariable);
        const std::uint64_t value =
            chosen != nullptr && *chosen != '\0' ? std::strtoull(chosen, nullptr, 0) : kDefaultSeed;
        std::cout << "Random input from seed " << value << " (" << kSeedVariable << "=" << value
                  << " repeats it)" << std::endl;
        return value;
    }();
    return seed;
}

FieldText randomFieldText(std::mt19937_64& random, Axis axis) {
    const Kind& kind = oneOf(random, kKinds);
    FieldText field{kind.name, kind.draw(random, axis)};
    // Now and then a number followed by text of another kind, which ends its reading.
    if (oneIn(random, 8)) {
        field.kind = "point in the region, then text of another kind";
        field.text = pointInTheRegion(random, axis) + field.text;
    }
    return field;
}

WPARAM withRandomUpperBits(std::mt19937_64& random, WORD low) {
    if (oneIn(random, 4)) {
        return low;
    }
    return (static_cast<WPARAM>(random()) & ~WPARAM{0xFFFF}) | low;
}

std::string ansiBytesOf(const std::wstring& text) {
    const int length = static_cast<int>(text.size());
    const int size =
        WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), length, bytes.data(), size, nullptr, nullptr);
    return bytes;
}

std::string printable(const std::wstring& text, std::size_t maxCharacters) {
    const auto escaped = [](const std::wstring& part) {
        std::string result;
        for (const wchar_t c : part) {
            if (c >= 0x20 && c < 0x7F && c != L'\\') {
                result += static_cast<char>(c);
            } else {
                char unit[8];
                std::snprintf(unit, sizeof unit, "\\u%04X", static_cast<unsigned>(c));
                result += unit;
            }
        }
        return result;
    };
    if (text.size() <= maxCharacters) {
        return "\"" + escaped(text) + "\"";
    }
    const std::size_t half = maxCharacters / 2;
    return "\"" + escaped(text.substr(0, half)) + "\" ... \"" +
           escaped(text.substr(text.size() - half)) + "\" (" + std::to_string(text.size()) +
           " characters)";
}
