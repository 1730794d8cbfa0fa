#include "core/platform/message_text.h"

#include <gtest/gtest.h>

namespace ft::platform {
namespace {

struct Case {
    std::string input;
    std::string expected;
    const char* why;
};

TEST(MessageText, Cp932TextIsDecodedOrShownByteByByte)
{
    const Case cases[] = {
        {"\x93\x6F\x98\x5E", "登録", "valid CP932 is decoded"},
        {"12\x82", "12\\x82", "a lead byte without its trail keeps the digits readable"},
        {"\x85\x40\r", "\\x85@\\x0D", "unassigned and control bytes are shown as hex"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(cp932ForMessage(c.input), c.expected) << c.why;
}

TEST(MessageText, MessagesBecomeUtf8WhateverTheyQuote)
{
    const Case cases[] = {
        {"cannot open /データ/A.hed", "cannot open /データ/A.hed", "UTF-8 stays as it is"},
        {"cannot open /\x83\x66\x81\x5B\x83\x5E/A.hed", "cannot open /データ/A.hed",
         "a CP932 path is read as CP932"},
        {"abc\xE3", "abc\xEF\xBF\xBD", "a sequence cut off at the end is no UTF-8 either"},
        {"a\x85\x40", "a\xEF\xBF\xBD@", "neither: replacement character"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(messageAsUtf8(c.input), c.expected) << c.why;
}

} // namespace
} // namespace ft::platform
