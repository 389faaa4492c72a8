#include "remind/remind_plan.h"

#include <gtest/gtest.h>

#include "remind/power_action.h"
#include "remind/remind_file.h"
#include "remind/remind_plan_edit.h"
#include "remind/remind_test_support.h"

namespace veltaro {
namespace {

using remind_test::PlanFileText;
using remind_test::ReadText;
using remind_test::TempFolder;
using remind_test::TreeOf;
using remind_test::WriteText;

struct DateFieldsCase {
    std::string_view attributes;
    int year;
    int month;
    int day;
    bool lunar;
};

TEST(ReadRemindPlan, ReadsTheDateFieldsInEveryFormTheFileHolds) {
    const DateFieldsCase cases[] = {
        {R"(Year="Any" Month="Any" Day="Any")", 0, 0, 0, false},
        {R"(Year="任意" Month="任意" Day="任意")", 0, 0, 0, false},
        {R"(Year="" Month="" Day="")", 0, 0, 0, false},
        {"", 0, 0, 0, false},
        {R"(Lunar="1" Year="2008" Month="8" Day="15")", 2008, 8, 15, true},
        {R"(Lunar="2" Year="1970")", 1970, 0, 0, true},
        {R"(Lunar="0" Year="2100")", 2100, 0, 0, false},
        {R"(Lunar="Any")", 0, 0, 0, false},
        // Out-of-range values of a hand-edited file are passed on unchanged.
        {R"(Month="13" Day="40")", 0, 13, 40, false},
        {R"(year="2008" MONTH="2")", 2008, 2, 0, false},
    };
    for (const DateFieldsCase& c : cases) {
        SCOPED_TRACE(c.attributes);
        const auto root =
            TreeOf(PlanFileText("<Item " + std::string(c.attributes) + " Weekly=\"17\"/>", ""));
        const std::optional<RemindPlan> plan =
            ReadRemindPlan(GetDatePlanList(*root), 0, RemindPlanKind::Date);
        ASSERT_TRUE(plan);
        EXPECT_EQ(plan->year, c.year);
        EXPECT_EQ(plan->month, c.month);
        EXPECT_EQ(plan->day, c.day);
        EXPECT_EQ(plan->lunar, c.lunar);
        EXPECT_EQ(plan->weekdays, 0) << "a date plan has no weekday set";
    }
}

TEST(ReadRemindPlan, ReadsAWeeklyPlanWithoutDateFields) {
    const auto root = TreeOf(
        PlanFileText("", R"(<Item Weekly="17" Action="2" ID="0" Hour="7" Minute="5" Second="30" )"
                         R"(Year="2008" Month="6" Day="1" Lunar="1">起床</Item>)"));
    const std::optional<RemindPlan> plan =
        ReadRemindPlan(GetWeeklyPlanList(*root), 0, RemindPlanKind::Weekly);
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->kind, RemindPlanKind::Weekly);
    EXPECT_EQ(plan->weekdays, kMondayBit | kFridayBit);
    EXPECT_EQ(plan->action, kPowerActionShutdown);
    EXPECT_EQ(plan->hour, 7);
    EXPECT_EQ(plan->minute, 5);
    EXPECT_EQ(plan->second, 30);
    EXPECT_EQ(plan->message, "起床");
    EXPECT_EQ(plan->year + plan->month + plan->day, 0);
    EXPECT_FALSE(plan->lunar);
    EXPECT_EQ(plan->node, &GetWeeklyPlanList(*root).GetChildAt(0));
}

TEST(ReadRemindPlan, ReadsAnyChildAsAPlanAndNothingOutsideTheList) {
    const auto root = TreeOf(PlanFileText(R"(<Item Hour="8"/><Note Day="3"/>)", ""));
    const CTessvarXmlParse& list = GetDatePlanList(*root);

    const std::optional<RemindPlan> note = ReadRemindPlan(list, 1, RemindPlanKind::Date);
    ASSERT_TRUE(note);
    EXPECT_EQ(note->index, 1);
    EXPECT_EQ(note->day, 3);
    EXPECT_EQ(note->hour, 0);
    EXPECT_EQ(note->message, "");

    // The tree answers an index out of range with the list itself; that is no plan.
    EXPECT_FALSE(ReadRemindPlan(list, 2, RemindPlanKind::Date));
    EXPECT_FALSE(ReadRemindPlan(list, -1, RemindPlanKind::Date));
}

TEST(ReadRemindPlans, GivesTheDatePlansThenTheWeeklyPlansInFileOrder) {
    const auto root = TreeOf(
        PlanFileText(R"(<Item Hour="1"/><Item Hour="2"/>)", R"(<Item Hour="3"/><Item Hour="4"/>)"));
    const std::vector<RemindPlan> plans = ReadRemindPlans(*root);
    ASSERT_EQ(plans.size(), 4u);
    const RemindPlanKind kinds[] = {RemindPlanKind::Date, RemindPlanKind::Date,
                                    RemindPlanKind::Weekly, RemindPlanKind::Weekly};
    const int indexes[] = {0, 1, 0, 1};
    for (std::size_t i = 0; i < plans.size(); ++i) {
        EXPECT_EQ(plans[i].hour, static_cast<int>(i) + 1);
        EXPECT_EQ(plans[i].kind, kinds[i]);
        EXPECT_EQ(plans[i].index, indexes[i]);
    }
}

TEST(PlanLists, FallBackToTheParentOfAMissingLevel) {
    struct Case {
        std::string_view xml;
        std::string_view dateList;
        std::string_view weeklyList;
    };
    const Case cases[] = {
        {kDefaultRemindText, "DateType", "WeeklyType"},
        {"<Quorvane><datetype/><WEEKLYTYPE/></Quorvane>", "datetype", "WEEKLYTYPE"},
        {"<Quorvane><RemindList><WeeklyType/></RemindList></Quorvane>", "RemindList", "WeeklyType"},
        {"<Other/>", "Other", "Other"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.xml);
        const auto root = TreeOf(c.xml);
        EXPECT_EQ(GetDatePlanList(*root).GetName(), c.dateList);
        EXPECT_EQ(GetWeeklyPlanList(*root).GetName(), c.weeklyList);
    }
}

// The values of a plan that a save and a load must keep.
struct PlanValues {
    RemindPlanKind kind;
    int year, month, day;
    bool lunar;
    int weekdays, action, hour, minute, second;
    std::string message;

    friend bool operator==(const PlanValues&, const PlanValues&) = default;
};

PlanValues ValuesOf(const RemindPlan& plan) {
    return {plan.kind,   plan.year, plan.month,  plan.day,    plan.lunar,  plan.weekdays,
            plan.action, plan.hour, plan.minute, plan.second, plan.message};
}

void PrintTo(const PlanValues& values, std::ostream* out) {
    *out << (values.kind == RemindPlanKind::Date ? "date " : "weekly ") << values.year << '/'
         << values.month << '/' << values.day << (values.lunar ? " lunar" : "") << " weekdays "
         << values.weekdays << " action " << values.action << ' ' << values.hour << ':'
         << values.minute << ':' << values.second << " \"" << values.message << '"';
}

TEST(RemindFile, KeepsEveryPlanAndMessageThroughASaveAndALoad) {
    const std::string messages[] = {
        "中秋\n赏月", "", "   ", "line\r\nbreak\n", "<b> & \"quoted\" 'text'", "表情 😀 ok",
    };
    auto root = TreeOf(kDefaultRemindText);
    std::vector<PlanValues> expected;
    for (const std::string& message : messages) {
        ASSERT_TRUE(AppendDatePlan(*root, "任意", "8", "15", true, 1, 20, 0, 0, message));
        expected.push_back({RemindPlanKind::Date, 0, 8, 15, true, 0, 1, 20, 0, 0, message});
    }
    ASSERT_TRUE(AppendDatePlan(*root, "2008", "Any", "31", false, 7, 23, 59, 59, "old"));
    expected.push_back({RemindPlanKind::Date, 2008, 0, 31, false, 0, 7, 23, 59, 59, "old"});
    for (const std::string& message : messages) {
        ASSERT_TRUE(AppendWeeklyPlan(*root, kMondayBit | kFridayBit, 2, 7, 5, 30, message));
        expected.push_back({RemindPlanKind::Weekly, 0, 0, 0, false, 17, 2, 7, 5, 30, message});
    }
    // Identical plans stay two plans.
    ASSERT_TRUE(AppendWeeklyPlan(*root, 0, 0, 0, 0, 0, ""));
    ASSERT_TRUE(AppendWeeklyPlan(*root, 0, 0, 0, 0, 0, ""));
    expected.push_back({RemindPlanKind::Weekly, 0, 0, 0, false, 0, 0, 0, 0, 0, ""});
    expected.push_back(expected.back());

    TempFolder folder;
    ASSERT_TRUE(SaveRemindFile(*root, folder.Path()));
    CTessvarXmlParse loaded;
    ASSERT_EQ(LoadRemindFile(loaded, folder.Path(), DataDocumentUse::kReadOnly, 0).outcome,
              DataDocumentLoad::kLoaded);
    std::vector<PlanValues> read;
    for (const RemindPlan& plan : ReadRemindPlans(loaded)) {
        read.push_back(ValuesOf(plan));
    }
    EXPECT_EQ(read, expected);

    // The editor's attribute order, the wildcard word as given and the constant ID.
    const std::string text = ReadText(RemindFilePath(folder.Path()));
    EXPECT_NE(text.find(R"(<Item Lunar="1" Year="任意" Month="8" Day="15" Action="1" ID="0" )"
                        R"(Hour="20" Minute="0" Second="0">中秋)"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find(R"(<Item Weekly="17" Action="2" ID="0" Hour="7" Minute="5" Second="30">)"),
              std::string::npos)
        << text;
}

TEST(RemindFile, LoadsTheEmptyDefaultWhenTheFileIsMissingDamagedOrUnreadable) {
    struct Case {
        std::string_view name;
        void (*prepare)(const std::filesystem::path& file);
        DataDocumentLoad expected;
    };
    const Case cases[] = {
        {"missing", [](const std::filesystem::path&) {}, DataDocumentLoad::kMissing},
        {"not XML", [](const std::filesystem::path& file) { WriteText(file, "<Quorvane><"); },
         DataDocumentLoad::kDamaged},
        {"empty", [](const std::filesystem::path& file) { WriteText(file, ""); },
         DataDocumentLoad::kDamaged},
        {"a folder",
         [](const std::filesystem::path& file) { std::filesystem::create_directory(file); },
         DataDocumentLoad::kUnreadable},
        {"a dangling link",
         [](const std::filesystem::path& file) {
             std::filesystem::create_symlink(file.parent_path() / "nowhere", file);
         },
         DataDocumentLoad::kUnreadable},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        c.prepare(RemindFilePath(folder.Path()));
        CTessvarXmlParse root;
        EXPECT_EQ(LoadRemindFile(root, folder.Path(), DataDocumentUse::kReadOnly, 0).outcome,
                  c.expected);
        EXPECT_EQ(GetDatePlanList(root).GetName(), "DateType");
        EXPECT_EQ(GetWeeklyPlanList(root).GetName(), "WeeklyType");
        EXPECT_TRUE(ReadRemindPlans(root).empty());
    }
}

std::vector<std::string> MessagesOf(const CTessvarXmlParse& root, RemindPlanKind kind) {
    std::vector<std::string> messages;
    for (const RemindPlan& plan : ReadRemindPlans(root)) {
        if (plan.kind == kind) {
            messages.push_back(plan.message);
        }
    }
    return messages;
}

TEST(DeleteRemindPlan, RemovesOnePlanOfOneListAndLaterOnesMoveDown) {
    auto root = TreeOf(PlanFileText("<Item>a</Item><Item>b</Item><Item>c</Item>",
                                    "<Item>w0</Item><Item>w1</Item>"));
    EXPECT_TRUE(DeleteRemindPlan(*root, RemindPlanKind::Date, 1));
    EXPECT_EQ(MessagesOf(*root, RemindPlanKind::Date), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(ReadRemindPlan(GetDatePlanList(*root), 1, RemindPlanKind::Date)->message, "c");
    EXPECT_EQ(MessagesOf(*root, RemindPlanKind::Weekly), (std::vector<std::string>{"w0", "w1"}));

    for (const int outside : {2, 3, -1}) {
        EXPECT_FALSE(DeleteRemindPlan(*root, RemindPlanKind::Date, outside)) << outside;
    }
    EXPECT_TRUE(DeleteRemindPlan(*root, RemindPlanKind::Weekly, 0));
    EXPECT_EQ(MessagesOf(*root, RemindPlanKind::Date), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(MessagesOf(*root, RemindPlanKind::Weekly), (std::vector<std::string>{"w1"}));
}

TEST(DeleteRemindPlan, NeverTakesAWholeListAlongWhenAListFallsBackToItsParent) {
    // Without DateType the date plans are the children of RemindList, WeeklyType among them.
    auto root = TreeOf(
        "<Quorvane><RemindList><WeeklyType><Item>w</Item></WeeklyType></RemindList></Quorvane>");
    EXPECT_FALSE(DeleteRemindPlan(*root, RemindPlanKind::Date, 0));
    EXPECT_EQ(MessagesOf(*root, RemindPlanKind::Weekly), std::vector<std::string>{"w"});
}

TEST(AppendPlan, CreatesAMissingListInsteadOfFillingItsParent) {
    auto root = TreeOf(
        "<Quorvane><RemindList><WeeklyType><Item>w</Item></WeeklyType></RemindList></Quorvane>");
    ASSERT_TRUE(AppendDatePlan(*root, "Any", "Any", "Any", false, 1, 8, 0, 0, "d"));
    EXPECT_EQ(GetDatePlanList(*root).GetName(), "DateType");
    EXPECT_EQ(MessagesOf(*root, RemindPlanKind::Date), std::vector<std::string>{"d"});
    EXPECT_EQ(MessagesOf(*root, RemindPlanKind::Weekly), std::vector<std::string>{"w"});

    auto bare = TreeOf("<Quorvane/>");
    ASSERT_TRUE(AppendWeeklyPlan(*bare, kSundayBit, 1, 8, 0, 0, "s"));
    EXPECT_EQ(GetDatePlanList(*bare).GetName(), "DateType");
    EXPECT_EQ(GetWeeklyPlanList(*bare).GetName(), "WeeklyType");
    EXPECT_TRUE(MessagesOf(*bare, RemindPlanKind::Date).empty());
    EXPECT_EQ(MessagesOf(*bare, RemindPlanKind::Weekly), std::vector<std::string>{"s"});
}

TEST(AppendPlan, WritesNothingAndReportsFailureWhenThePlanCannotBeStored) {
    // A tree that was never loaded can't create elements: AddChild gives -1.
    CTessvarXmlParse empty;
    EXPECT_FALSE(AppendDatePlan(empty, "Any", "Any", "Any", false, 1, 8, 0, 0, "m"));
    EXPECT_FALSE(AppendWeeklyPlan(empty, kMondayBit, 1, 8, 0, 0, "m"));
    EXPECT_EQ(empty.GetChildCount(), 0);

    // Text XML can't hold: a control character, bytes that are no UTF-8.
    auto root = TreeOf(PlanFileText("<Item>kept</Item>", "<Item>kept</Item>"));
    EXPECT_FALSE(AppendDatePlan(*root, "Any", "Any", "Any", false, 1, 8, 0, 0, "bell\x07"));
    EXPECT_FALSE(AppendDatePlan(*root, "\xff", "Any", "Any", false, 1, 8, 0, 0, "m"));
    EXPECT_FALSE(AppendWeeklyPlan(*root, kMondayBit, 1, 8, 0, 0, "\xc3"));
    EXPECT_EQ(MessagesOf(*root, RemindPlanKind::Date), std::vector<std::string>{"kept"});
    EXPECT_EQ(MessagesOf(*root, RemindPlanKind::Weekly), std::vector<std::string>{"kept"});
    EXPECT_EQ(GetDatePlanList(*root).GetAttribute("Lunar"), "");
    EXPECT_EQ(GetWeeklyPlanList(*root).GetAttribute("Weekly"), "");
}

// The editor's rows take a value of 500 and above for a weekly plan: the date plans are full at
// 500, whatever the weekly plans.
TEST(DatePlanListFull, AtFiveHundredDatePlans) {
    const std::unique_ptr<CTessvarXmlParse> root = remind_test::TreeOf(PlanFileText("", ""));
    ASSERT_TRUE(AppendWeeklyPlan(*root, kMondayBit, 1, 9, 0, 0, "weekly"));
    for (int index = 0; index < kDatePlanLimit - 1; ++index) {
        ASSERT_TRUE(AppendDatePlan(*root, "Any", "Any", "1", false, 1, 9, 0, 0, "m"));
    }
    EXPECT_FALSE(DatePlanListFull(*root));
    ASSERT_TRUE(AppendDatePlan(*root, "Any", "Any", "1", false, 1, 9, 0, 0, "m"));
    EXPECT_TRUE(DatePlanListFull(*root));
}

}  // namespace
}  // namespace veltaro
