// The info texts' templates: only integer conversions take values, everything else is copied.

#include "screens/info_template.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kv {
namespace {

TEST(InfoTemplate, OnlyIntegerConversionsTakeValues) {
    struct Case {
        std::string text;
        std::vector<std::uint32_t> values;
        std::string expected;
    };
    const Case cases[] = {
        {"Preis: %d\r\nSitze: %d\r\n", {400, 4}, "Preis: 400\r\nSitze: 4\r\n"},
        {"%s %n %% %d %d %d", {1, 2}, "%s %n % 1 2 %d"},
        {"%i/%u/%ld/%li/%lu", {1, 2, 3, 4, 5}, "1/2/3/4/5"},
        {"[%5d][%-5d][%05d][%+d][% d][%+05d][%#d]",
         {7, 7, 7, 7, 7, 7, 7},
         "[    7][7    ][00007][+7][ 7][+0007][7]"},
        // Two ten-digit numbers are far longer than their conversions.
        {"%d%d", {4000000000U, 4294967295U}, "40000000004294967295"},
        {"%.2d %*d %lld %hd %x %c %p", {1, 2}, "%.2d %*d %lld %hd %x %c %p"},
        {"%999d", {1}, "%999d"},
        {"%256d|", {1}, std::string(255, ' ') + "1|"},
        {"100%", {1}, "100%"},
        {"%-", {1}, "%-"},
        {std::string("vor\0%d nach", 11), {1}, "vor"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(FormatInfoTemplate(c.text, c.values), c.expected);
    }
}

}  // namespace
}  // namespace kv
