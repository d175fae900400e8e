// One digest of the printed texts of a million doubles and of the values read back from them and
// from further texts. Every build, native or Windows, 64- or 32-bit, must give these digests: the
// native build's texts are the ones checked against the standard library.
#include "Digest.h"
#include "NumberSamples.h"
#include "NumberText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

// Should the printing or reading be meant to change, the failure messages give the new digests.
TEST(NumberTextDigest, AMillionDoublesPrintAndReadBackAsRecorded) {
    Digest texts;
    Digest readBack;
    const auto add = [&](double value) {
        char text[100];
        formatSixDecimals(value, text, sizeof text);
        texts.add(text);
        readBack.add(readDecimalNumber(text));
    };
    for (const DoubleKind kind : kDoubleKinds) {
        NumberSamples samples(static_cast<std::uint64_t>(kind) + 1);
        for (int i = 0; i < 200000; ++i) {
            add(samples.next(kind));
        }
    }
    for (const double value : edgeDoubles()) {
        add(value);
    }
    EXPECT_EQ(texts.value(), 0x03C690BF22FC5FE1u) << std::hex << "printed: 0x" << texts.value();
    EXPECT_EQ(readBack.value(), 0x2AF62CA4AEE79D6Eu)
        << std::hex << "read back: 0x" << readBack.value();
}

TEST(NumberTextDigest, TextsOfEveryKindReadAsRecorded) {
    Digest read;
    for (const TextKind kind : kTextKinds) {
        NumberSamples samples(static_cast<std::uint64_t>(kind) + 100);
        for (int i = 0; i < 20000; ++i) {
            read.add(readDecimalNumber(samples.next(kind).c_str()));
        }
    }
    EXPECT_EQ(read.value(), 0x3B65AFBDC1A872ADu) << std::hex << "read: 0x" << read.value();
}

} // namespace
