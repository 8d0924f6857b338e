#include <gtest/gtest.h>

#include <optional>

#include "core/number_text.h"

// One reader for the alarm's boxes (grouping allowed, as the system's lenient
// parser takes it) and the settings boxes (no grouping).
TEST(NumberText, OneReaderWithGroupingAsTheOnlyDifference)
{
    struct Row {
        const wchar_t* text;
        std::optional<double> plain, grouped;
    };
    const std::optional<double> no;
    const Row rows[] = {
        {L"7", 7, 7},         {L"07", 7, 7},      {L" 9\t", 9, 9},     {L"+5", 5, 5},       {L"-1", -1, -1},
        {L"7.5", 7.5, 7.5},   {L"1.", 1, 1},      {L".5", 0.5, 0.5},   {L"２３", 23, 23},   {L"1,000", no, 1000},
        {L"1,", no, 1},       {L"1.5,0", no, no}, {L"", no, no},       {L"  ", no, no},     {L".", no, no},
        {L"+", no, no},       {L"- 1", no, no},   {L"1-", no, no},     {L"1a", no, no},     {L"1 2", no, no},
        {L"1.2.3", no, no},   {L"ａｂ", no, no},  {L"1e3", no, no},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(qv::readNumber(r.text, qv::Grouping::none), r.plain) << "plain: [" << r.text << "]";
        EXPECT_EQ(qv::readNumber(r.text, qv::Grouping::allowed), r.grouped) << "grouped: [" << r.text << "]";
    }
}
