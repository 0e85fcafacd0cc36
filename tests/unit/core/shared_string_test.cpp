#include "core/shared_string.hpp"

#include <gtest/gtest.h>

#include <string>

namespace tarn {
namespace {

std::string str(const SharedString& s) {
    return std::string(s.data(), s.length());
}

TEST(SharedString, EmptyStringOwnsNothingAndIsTerminated) {
    SharedString empty;
    SharedString from_null(nullptr);
    SharedString from_empty_text("");
    for (const SharedString* s : {&empty, &from_null, &from_empty_text}) {
        EXPECT_EQ(s->length(), 0);
        EXPECT_EQ(s->capacity(), 0);
        EXPECT_EQ(s->data()[0], '\0');
    }
    EXPECT_EQ(empty.data(), from_null.data()) << "all empty strings share the static terminator";
}

TEST(SharedString, CopiesShareUntilOneIsChanged) {
    SharedString original("hello");
    SharedString copy = original;
    EXPECT_EQ(original.data(), copy.data());
    EXPECT_EQ(original.use_count(), 2);

    copy.append(" world");
    EXPECT_EQ(str(original), "hello");
    EXPECT_EQ(str(copy), "hello world");
    EXPECT_EQ(original.use_count(), 1);

    SharedString third = original;
    third.mutable_data()[0] = 'j';
    EXPECT_EQ(str(original), "hello");
    EXPECT_EQ(str(third), "jello");
}

TEST(SharedString, AssignmentReleasesAndSelfAssignmentKeeps) {
    SharedString a("abc");
    SharedString b("xyz");
    b = a;
    EXPECT_EQ(a.use_count(), 2);
    const SharedString& same = a;
    a = same;
    EXPECT_EQ(str(a), "abc");
    EXPECT_EQ(a.use_count(), 2);
    b = SharedString();
    EXPECT_EQ(a.use_count(), 1);
    EXPECT_EQ(b.capacity(), 0);
}

TEST(SharedString, ResizeFollowsTheCapacityRules) {
    SharedString s;
    s.resize(3);
    EXPECT_EQ(s.capacity(), 16) << "small strings get the minimum block";

    s.resize(10);
    EXPECT_EQ(s.capacity(), 16) << "growing inside the capacity keeps the block";
    EXPECT_EQ(s.data()[10], '\0');

    s.resize(40);
    EXPECT_EQ(s.capacity(), 41) << "a plain resize allocates exactly what is needed";
    s.resize(20);
    EXPECT_EQ(s.capacity(), 41) << "shrinking to more than half keeps the block";
    s.resize(19);
    EXPECT_EQ(s.capacity(), 20) << "shrinking to half the capacity or less reallocates";
    EXPECT_EQ(s.data()[19], '\0');

    s.resize(0);
    EXPECT_EQ(s.capacity(), 0);
    EXPECT_EQ(s.length(), 0);
}

TEST(SharedString, AppendGrowsByHalfAgain) {
    SharedString s;
    s.append("0123456789");
    EXPECT_EQ(s.capacity(), 24);
    s.append("0123456789012345");
    EXPECT_EQ(s.length(), 26);
    EXPECT_EQ(s.capacity(), 40);
    const char* before = s.data();
    s.append("abc");
    EXPECT_EQ(s.data(), before) << "appending inside the capacity does not move the text";
}

TEST(SharedString, AppendingAPieceOfItselfSurvivesTheMove) {
    SharedString s("abcdefghijklmnop");
    ASSERT_EQ(s.capacity(), 25);
    const char* before = s.data();
    s.append(s.data(), 9);
    EXPECT_NE(s.data(), before) << "the append must have moved the text";
    EXPECT_EQ(str(s), "abcdefghijklmnopabcdefghi");

    SharedString whole("xy");
    whole.append(whole);
    whole.append(whole);
    EXPECT_EQ(str(whole), "xyxyxyxy");
}

TEST(SharedString, AppendIgnoresNullAndZeroLength) {
    SharedString s("a");
    s.append(nullptr);
    s.append("bcd", 0);
    s.append("bcd", 2);
    EXPECT_EQ(str(s), "abc");
}

TEST(SharedString, CompareIsSignedBytewiseWithShorterFirst) {
    SharedString s("abc");
    EXPECT_EQ(s.compare("abc"), 0);
    EXPECT_LT(s.compare("abd"), 0);
    EXPECT_GT(s.compare("ab"), 0);
    EXPECT_LT(s.compare("abcd"), 0);
    EXPECT_GT(s.compare(nullptr), 0);
    EXPECT_EQ(s.compare(s.data()), 0);
    EXPECT_GT(s.compare("ab\xC3"), 0) << "bytes above 0x7F are negative";
    EXPECT_TRUE(s.starts_with("ab"));
    EXPECT_FALSE(s.starts_with("abcd"));
}

TEST(SharedString, WideStringAlwaysGrowsByHalfAgain) {
    WideString w(u"abc");
    EXPECT_EQ(w.capacity(), 24);
    EXPECT_EQ(w.length(), 3);
    EXPECT_EQ(w[2], u'c');
}

}  // namespace
}  // namespace tarn
