#include "core/message_line.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace kv {
namespace {

TEST(MessageLine, KeepsAtMost255CharactersAndItsLifetime) {
    SetMessageLine("Verfolgung aufgenommen!", 60);
    EXPECT_STREQ(MessageLine.data(), "Verfolgung aufgenommen!");
    EXPECT_EQ(MessageLineCountdown, 60);

    const std::string longText(300, 'x');
    SetMessageLine(longText, kMessageLineForever);
    EXPECT_EQ(std::strlen(MessageLine.data()), 255u);
    EXPECT_EQ(MessageLineCountdown, kMessageLineForever);

    // A shorter text replaces it whole.
    SetMessageLine("kurz", 1);
    EXPECT_STREQ(MessageLine.data(), "kurz");

    ClearMessageLine();
    EXPECT_EQ(MessageLine[0], '\0');
    EXPECT_EQ(MessageLineCountdown, 0);
}

}  // namespace
}  // namespace kv
