#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>

#include "temp_folder.h"
#include "xml/tessvar_xml_parse.h"

namespace veltaro {
namespace {

using testing::ReadText;
using testing::TempFolder;

// Lists interleaved with comments and a processing instruction, with one name in two cases.
constexpr std::string_view kRemindText = R"(<Quorvane>
  <!-- the plans -->
  <RemindList>
    <DateType>
      <Item Year="2024" Hour="7">first</Item>
      <?editor keep?>
      <!-- between -->
      <Item Year="Any">second</Item>
      <item Year="1999"/>
    </DateType>
    <WeeklyType/>
  </RemindList>
  <Holiday Name="春节"/>
</Quorvane>)";

class LoadedTree : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(root_.LoadXml(kRemindText)); }

    CTessvarXmlParse& DateType() { return root_.GetChild("RemindList").GetChild("DateType"); }

    // The tree as the file holds it: saved, then loaded into a second root.
    CTessvarXmlParse& SavedDateType() {
        EXPECT_TRUE(root_.Save(SavedFile()));
        EXPECT_TRUE(reloaded_.LoadFile(SavedFile()));
        return reloaded_.GetChild("RemindList").GetChild("DateType");
    }

    std::string SavedFile() const { return folder_.File("RemindInfo.xml"); }

    TempFolder folder_;
    CTessvarXmlParse root_;
    CTessvarXmlParse reloaded_;
};

TEST(XmlLookup, GetChildFallsBackToTheNodeItselfSoAChainSkipsAMissingLevel) {
    CTessvarXmlParse root;
    ASSERT_TRUE(root.LoadXml("<Quorvane><DateType><Item/></DateType></Quorvane>"));

    CTessvarXmlParse& dateType = root.GetChild("RemindList").GetChild("DateType");

    EXPECT_EQ(&dateType, &root.GetChildAt(0));
    EXPECT_EQ(&dateType.GetChild("Nothing"), &dateType);
    EXPECT_EQ(root.FindChild("RemindList"), nullptr);
}

TEST_F(LoadedTree, NameLookupsIgnoreCaseAndTakeTheFirstMatch) {
    struct Case {
        std::string_view name;
        int index;  // -1: no child of that name
    };
    const Case cases[] = {
        {"Item", 0},   {"item", 0}, {"ITEM", 0},   {"iTeM", 0},      {"Ite", -1},
        {"Items", -1}, {"", -1},    {"#text", -1}, {"#comment", -1},
    };
    CTessvarXmlParse& list = DateType();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CTessvarXmlParse* expected = c.index < 0 ? nullptr : &list.GetChildAt(c.index);
        EXPECT_EQ(list.FindChild(c.name), expected);
        EXPECT_EQ(&list.GetChild(c.name), expected != nullptr ? expected : &list);
        EXPECT_EQ(std::as_const(list).FindChild(c.name), expected);
    }
}

TEST_F(LoadedTree, OnlyElementsBecomeChildrenSoCommentsAndInstructionsShiftNoIndex) {
    const CTessvarXmlParse& list = DateType();

    ASSERT_EQ(list.GetChildCount(), 3);
    EXPECT_EQ(list.GetChildAt(0).GetAttribute("Year"), "2024");
    EXPECT_EQ(list.GetChildAt(1).GetAttribute("Year"), "Any");
    EXPECT_EQ(list.GetChildAt(2).GetName(), "item");
    EXPECT_EQ(root_.GetName(), "Quorvane");
    EXPECT_EQ(root_.GetChildCount(), 2);
}

TEST_F(LoadedTree, GetChildAtOutOfRangeGivesTheNodeItself) {
    CTessvarXmlParse& list = DateType();
    for (const int index : {-1, 3, 4, INT_MIN, INT_MAX}) {
        SCOPED_TRACE(index);
        EXPECT_EQ(&list.GetChildAt(index), &list);
    }
}

TEST_F(LoadedTree, AddChildAppendsAndReturnsTheNewIndexEvenForARepeatedName) {
    CTessvarXmlParse& list = DateType();

    EXPECT_EQ(list.AddChild("Item"), 3);
    EXPECT_EQ(list.GetChildAt(3).GetName(), "Item");
    EXPECT_EQ(list.AddChild("Item"), 4);
    ASSERT_TRUE(list.GetChildAt(4).SetAttributeInt("Hour", 5));
    EXPECT_EQ(list.GetChildCount(), 5);

    const CTessvarXmlParse& saved = SavedDateType();
    ASSERT_EQ(saved.GetChildCount(), 5);
    EXPECT_EQ(saved.GetChildAt(3).GetName(), "Item");
    EXPECT_EQ(saved.GetChildAt(4).GetAttribute("Hour"), "5");
}

TEST_F(LoadedTree, AddChildRefusesNamesThatAreNoXmlNames) {
    const std::string names[] = {
        "", "1st", "a b", " Item", "<Item>", "Item/", "\xff", std::string("It\0em", 5),
    };
    CTessvarXmlParse& list = DateType();
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        EXPECT_EQ(list.AddChild(name), -1);
    }
    EXPECT_EQ(list.GetChildCount(), 3);
    EXPECT_EQ(SavedDateType().GetChildCount(), 3);
}

TEST_F(LoadedTree, RemoveChildDestroysItAndMovesLaterChildrenDown) {
    CTessvarXmlParse& list = DateType();

    EXPECT_EQ(list.RemoveChild(&list.GetChildAt(1)), kXmlOk);

    ASSERT_EQ(list.GetChildCount(), 2);
    EXPECT_EQ(list.GetChildAt(1).GetName(), "item");
    const CTessvarXmlParse& saved = SavedDateType();
    ASSERT_EQ(saved.GetChildCount(), 2);
    EXPECT_EQ(saved.GetChildAt(0).GetAttribute("Year"), "2024");
    EXPECT_EQ(saved.GetChildAt(1).GetAttribute("Year"), "1999");
}

TEST_F(LoadedTree, RemoveChildRefusesAnythingButItsOwnChild) {
    CTessvarXmlParse other;
    ASSERT_TRUE(other.LoadXml(kRemindText));
    CTessvarXmlParse& remindList = root_.GetChild("RemindList");
    CTessvarXmlParse& list = DateType();
    const CTessvarXmlParse* refused[] = {
        nullptr,
        &remindList,
        &root_,
        &list.GetChildAt(0),
        &other.GetChild("RemindList").GetChild("DateType"),
    };
    for (const CTessvarXmlParse* child : refused) {
        EXPECT_EQ(remindList.RemoveChild(child), kXmlFail);
    }
    EXPECT_EQ(remindList.GetChildCount(), 2);
    EXPECT_EQ(list.GetChildCount(), 3);
    EXPECT_EQ(SavedDateType().GetChildCount(), 3);
}

TEST(XmlAttributes, GetAttributeIntReadsTheLeadingDecimalAndDefaultsOnlyWhenEmpty) {
    struct Case {
        const char* value;
        int expected;
    };
    const Case cases[] = {
        {"12abc", 12},
        {" 7", 7},
        {"-3", -3},
        {"abc", 0},
        {"+5", 5},
        {"- 5", 0},
        {"\t\n42", 42},
        {"007", 7},
        {"３", 0},
        {"2147483647", INT_MAX},
        {"99999999999", INT_MAX},
        {"-2147483648", INT_MIN},
        {"-99999999999", INT_MIN},
        {"", 99},
    };
    CTessvarXmlParse item;
    ASSERT_TRUE(item.LoadXml("<Item/>"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        ASSERT_TRUE(item.SetAttribute("Value", c.value));
        EXPECT_EQ(item.GetAttributeInt("Value", 99), c.expected);
    }
    EXPECT_EQ(item.GetAttributeInt("Missing", 99), 99);
    EXPECT_EQ(item.GetAttribute("Missing"), "");
}

TEST_F(LoadedTree, SetAttributeWritesTheTextAndReplacesTheNameInAnyCase) {
    CTessvarXmlParse& item = DateType().GetChildAt(0);

    EXPECT_TRUE(item.SetAttributeInt("Hour", 5));
    EXPECT_EQ(item.GetAttribute("Hour"), "5");
    EXPECT_TRUE(item.SetAttributeInt("hour", -12));
    EXPECT_EQ(item.GetAttribute("HOUR"), "-12");
    EXPECT_TRUE(item.SetAttribute("Minute", "30"));

    EXPECT_EQ(SavedDateType().GetChildAt(0).GetAttributeInt("Minute", 0), 30);
    const std::string saved = ReadText(SavedFile());
    EXPECT_NE(saved.find(R"(<Item Year="2024" Hour="-12" Minute="30">first</Item>)"),
              std::string::npos)
        << saved;
}

TEST_F(LoadedTree, SettersRefuseWhatAFileCouldNotHoldAndChangeNothing) {
    const std::string badNames[] = {"", "1st", "a b", "\xff", std::string("a\0b", 3)};
    const std::string badValues[] = {
        "\x01",         "bell\a",       "bad\xff",     "\xc0\xaf",
        "\xed\xa0\x80", "\xef\xbf\xbe", "cut\xe4\xb8", std::string("a\0b", 3),
    };
    CTessvarXmlParse& item = DateType().GetChildAt(0);
    for (const std::string& name : badNames) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(item.SetAttribute(name, "1"));
        EXPECT_FALSE(item.SetAttributeInt(name, 1));
    }
    for (const std::string& value : badValues) {
        SCOPED_TRACE(::testing::PrintToString(value));
        EXPECT_FALSE(item.SetAttribute("Message", value));
        EXPECT_FALSE(item.SetText(value));
    }
    const CTessvarXmlParse& saved = SavedDateType().GetChildAt(0);
    EXPECT_EQ(saved.GetText(), "first");
    EXPECT_EQ(saved.GetAttribute("Message"), "");
}

TEST(XmlText, GetTextReadsTheFirstTextChildOnly) {
    struct Case {
        const char* xml;
        const char* text;
    };
    const Case cases[] = {
        {"<Item>a<b/>c</Item>", "a"},
        {"<Item/>", ""},
        {"<Item></Item>", ""},
        {"<Item><Sub>inner</Sub></Item>", ""},
        {"<Item><!--note-->text</Item>", "text"},
        {"<Item>x &amp; y &#20013;</Item>", "x & y 中"},
        {"<Item>  </Item>", "  "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.xml);
        CTessvarXmlParse item;
        ASSERT_TRUE(item.LoadXml(c.xml));
        EXPECT_EQ(item.GetText(), c.text);
    }
}

TEST(XmlText, SetTextReplacesTheFirstTextOrBecomesTheTextContent) {
    struct Case {
        const char* xml;
        const char* saved;
        int children;
    };
    const Case cases[] = {
        {"<Item/>", "<Item>x</Item>", 0},
        {"<Item>old</Item>", "<Item>x</Item>", 0},
        {"<Item>a<b/>c</Item>", "<Item>x<b/>c</Item>", 1},
        {"<Item><!--note--></Item>", "<Item>x</Item>", 0},
        // The child element and its node survive: the tree keeps mirroring the document.
        {"<Item><Sub/></Item>", "<Item><Sub/>x</Item>", 1},
    };
    TempFolder folder;
    const std::string file = folder.File("text.xml");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.xml);
        CTessvarXmlParse item;
        ASSERT_TRUE(item.LoadXml(c.xml));
        EXPECT_TRUE(item.SetText("x"));
        EXPECT_EQ(item.GetText(), "x");
        EXPECT_EQ(item.GetChildCount(), c.children);
        ASSERT_TRUE(item.Save(file));
        EXPECT_NE(ReadText(file).find(c.saved), std::string::npos) << ReadText(file);
    }
}

TEST_F(LoadedTree, ALoadDiscardsEveryChangeMadeSinceTheLastSave) {
    ASSERT_TRUE(root_.Save(SavedFile()));
    CTessvarXmlParse& list = DateType();
    ASSERT_EQ(list.AddChild("Item"), 3);
    ASSERT_EQ(list.RemoveChild(&list.GetChildAt(0)), kXmlOk);
    ASSERT_TRUE(list.GetChildAt(0).SetText("changed"));
    ASSERT_TRUE(root_.GetChild("Holiday").SetAttribute("Name", "changed"));

    ASSERT_TRUE(root_.LoadFile(SavedFile()));

    const CTessvarXmlParse& reread = DateType();
    ASSERT_EQ(reread.GetChildCount(), 3);
    EXPECT_EQ(reread.GetChildAt(0).GetText(), "first");
    EXPECT_EQ(reread.GetChildAt(1).GetText(), "second");
    EXPECT_EQ(root_.GetChild("Holiday").GetAttribute("Name"), "春节");
}

TEST_F(LoadedTree, AFailedLoadKeepsTheTreeButNoLongerLetsItBeSaved) {
    ASSERT_FALSE(root_.LoadXml("<Quorvane><Unclosed></Quorvane>"));

    EXPECT_EQ(root_.GetName(), "Quorvane");
    CTessvarXmlParse& list = DateType();
    ASSERT_EQ(list.GetChildCount(), 3);
    EXPECT_EQ(list.GetChildAt(1).GetText(), "second");
    // The elements still live, so changes still work; only the document is no longer held.
    EXPECT_EQ(list.AddChild("Item"), 3);
    EXPECT_TRUE(list.GetChildAt(3).SetText("kept"));
    EXPECT_FALSE(root_.Save(SavedFile()));
    EXPECT_FALSE(std::filesystem::exists(SavedFile()));

    ASSERT_TRUE(root_.LoadXml("<Quorvane><Fresh/></Quorvane>"));
    EXPECT_EQ(root_.GetChildAt(0).GetName(), "Fresh");
    EXPECT_TRUE(root_.Save(SavedFile()));
}

TEST(XmlLoad, TextThatIsNotOneWellFormedDocumentIsRefused) {
    const std::string texts[] = {
        "",
        "   ",
        "plain text",
        "<Quorvane>",
        "<Quorvane></quorvane>",
        "<a/><b/>",
        "<?xml version=\"1.0\"?>",
        "<Quorvane a='1' a='2'/>",
        "<Quorvane>&undeclared;</Quorvane>",
        "<Quorvane>\x01</Quorvane>",
        "<Quorvane>\xff\xfe</Quorvane>",
    };
    for (const std::string& text : texts) {
        SCOPED_TRACE(::testing::PrintToString(text));
        CTessvarXmlParse root;
        EXPECT_FALSE(root.LoadXml(text));
        EXPECT_EQ(root.GetChildCount(), 0);
        EXPECT_EQ(root.GetName(), "");
    }
}

TEST(XmlLoad, TextInMemoryIsUtf8WhateverItsDeclarationSays) {
    CTessvarXmlParse root;
    ASSERT_TRUE(
        root.LoadXml("<?xml version=\"1.0\" encoding=\"GB2312\"?><Quorvane Name=\"春节\"/>"));
    EXPECT_EQ(root.GetAttribute("Name"), "春节");
}

TEST(XmlEmptyNode, ReadsGiveEmptyResultsAndChangesFail) {
    TempFolder folder;
    CTessvarXmlParse empty;
    CTessvarXmlParse other;
    ASSERT_TRUE(other.LoadXml("<Quorvane><Item/></Quorvane>"));

    EXPECT_EQ(empty.GetChildCount(), 0);
    EXPECT_EQ(&empty.GetChildAt(0), &empty);
    EXPECT_EQ(&empty.GetChild("Item"), &empty);
    EXPECT_EQ(empty.FindChild("Item"), nullptr);
    EXPECT_EQ(empty.GetName(), "");
    EXPECT_EQ(empty.GetText(), "");
    EXPECT_EQ(empty.GetAttribute("Hour"), "");
    EXPECT_EQ(empty.GetAttributeInt("Hour", 7), 7);

    EXPECT_EQ(empty.AddChild("Item"), -1);
    EXPECT_EQ(empty.RemoveChild(&other.GetChildAt(0)), kXmlFail);
    EXPECT_FALSE(empty.SetText("x"));
    EXPECT_FALSE(empty.SetAttribute("Hour", "5"));
    EXPECT_FALSE(empty.SetAttributeInt("Hour", 5));
    EXPECT_FALSE(empty.Save(folder.File("empty.xml")));
    EXPECT_EQ(other.GetChildCount(), 1);
}

TEST(XmlSave, OnlyTheLoadedRootHoldsTheDocument) {
    TempFolder folder;
    CTessvarXmlParse root;
    ASSERT_TRUE(root.LoadXml("<Quorvane><Item/></Quorvane>"));
    EXPECT_FALSE(root.GetChildAt(0).Save(folder.File("child.xml")));
    EXPECT_TRUE(root.Save(folder.File("root.xml")));
}

}  // namespace
}  // namespace veltaro
