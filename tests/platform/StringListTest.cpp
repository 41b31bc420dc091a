#include <afxtempl.h>
#include <afxwin.h>
#include <gtest/gtest.h>
#include <mbstring.h>

namespace {

TEST(CStringTest, FormatConcatenationAndComparison)
{
    CString caption("Valdmark Software, KV Memory: ");
    CString time;
    time.Format(" %d.%d Record is: %d.%d", 12, 3, 100, 0);
    CString title = caption + time;
    EXPECT_STREQ(title, "Valdmark Software, KV Memory:  12.3 Record is: 100.0");
    EXPECT_EQ(title.GetLength(), 52);
    CString record;
    record.Format("%d sec %d ms", 61, 5);
    EXPECT_TRUE(record == "61 sec 5 ms");
    EXPECT_TRUE("61 sec 5 ms" == record);
    EXPECT_TRUE(record != caption);
    EXPECT_TRUE(CString("a") < CString("b"));
    EXPECT_EQ(CString("Options").CompareNoCase("OPTIONS"), 0);
    CString s = 'x' + CString("yz") + 'w';
    s += "!";
    EXPECT_STREQ(s, "xyzw!");
    EXPECT_STREQ(s.Left(2), "xy");
    EXPECT_STREQ(s.Mid(1, 2), "yz");
    EXPECT_STREQ(s.Mid(10), "");
    EXPECT_TRUE(CString().IsEmpty());
    EXPECT_STREQ(CString(static_cast<LPCTSTR>(nullptr)), "");
}

TEST(CStringTest, LongFormattedTextIsNotCut)
{
    CString s;
    s.Format("%s", std::string(5000, 'a').c_str());
    EXPECT_EQ(s.GetLength(), 5000);
}

struct Card {
    int value;
};

TEST(CListTest, AddRemoveAndWalk)
{
    CList<Card*, Card*> list(10);
    Card cards[4] = {{0}, {1}, {2}, {3}};
    EXPECT_TRUE(list.IsEmpty());
    list.AddTail(&cards[1]);
    list.AddTail(&cards[2]);
    list.AddHead(&cards[0]);
    list.AddTail(&cards[3]);
    EXPECT_EQ(list.GetCount(), 4);
    EXPECT_EQ(list.GetHead(), &cards[0]);
    EXPECT_EQ(list.GetTail(), &cards[3]);
    std::vector<int> walked;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        walked.push_back(list.GetNext(pos)->value);
    EXPECT_EQ(walked, (std::vector<int>{0, 1, 2, 3}));
    POSITION found = list.Find(&cards[2]);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(list.GetAt(found), &cards[2]);
    EXPECT_EQ(list.Find(&cards[2], found), nullptr);
    EXPECT_EQ(list.GetAt(list.FindIndex(1)), &cards[1]);
    EXPECT_EQ(list.FindIndex(4), nullptr);
    list.RemoveAt(found);
    EXPECT_EQ(list.RemoveHead(), &cards[0]);
    EXPECT_EQ(list.RemoveTail(), &cards[3]);
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetHead(), list.GetTail());
    EXPECT_EQ(list.RemoveHead(), &cards[1]);
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
    list.AddTail(&cards[0]);
    list.RemoveAll();
    EXPECT_EQ(list.GetCount(), 0);
}

TEST(CRectTest, SizesAndConversions)
{
    CRect r(10, 20, 554, 424);
    EXPECT_EQ(r.Width(), 544);
    EXPECT_EQ(r.Height(), 404);
    LPRECT p = r;
    EXPECT_EQ(p->left, 10);
    CPoint pt(MAKELPARAM(-1, 2));
    EXPECT_EQ(pt.x, -1);
    EXPECT_EQ(pt.y, 2);
    EXPECT_TRUE(r.PtInRect(CPoint(10, 20)));
    EXPECT_FALSE(r.PtInRect(CPoint(554, 20)));
    CRect i;
    EXPECT_FALSE(i.IntersectRect(r, CRect(600, 0, 700, 10)));
    EXPECT_TRUE(i.IsRectEmpty());
}

TEST(RuntimeTest, MultibyteComparisonIgnoresCase)
{
    auto u = [](const char* s) { return reinterpret_cast<const unsigned char*>(s); };
    EXPECT_EQ(_mbsicmp(u("C"), u("c")), 0);
    EXPECT_LT(_mbsicmp(u("b"), u("C")), 0);
    EXPECT_GT(_mbsicmp(u("cc"), u("c")), 0);
}

TEST(RuntimeTest, IntegerToTextInARadix)
{
    char buffer[40] = "";
    EXPECT_EQ(_itoa(0, buffer, 10), buffer);
    EXPECT_STREQ(buffer, "0");
    EXPECT_STREQ(_itoa(29, buffer, 10), "29");
    EXPECT_STREQ(_itoa(-2147483647 - 1, buffer, 10), "-2147483648");
    EXPECT_STREQ(_itoa(255, buffer, 16), "ff");
    EXPECT_STREQ(_itoa(-1, buffer, 16), "ffffffff");
    EXPECT_STREQ(_itoa(-1, buffer, 2), std::string(32, '1').c_str());
    EXPECT_STREQ(_itoa(35, buffer, 36), "z");
}

} // namespace
