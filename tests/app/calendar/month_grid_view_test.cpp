// The perpetual calendar's grid on Qt's offscreen platform: every pixel against the picture the
// month grid model implies, the hit rule of a click and the cells as a screen reader reads them.
#include "app/calendar/month_grid_view.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleInterface>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include "platform/interface_language.h"
#include "widget_test_support.h"
#include "xml/tessvar_xml_parse.h"

namespace veltaro {
namespace {

// 2024-09-22 is a Sunday, the day of 秋分 and here a holiday; 2024-09-18 a plain Wednesday with a
// holiday.
constexpr std::string_view kHolidayFile = R"(<Quorvane><Holiday><SolarHoliday>
    <Month Index="9"><Item Day="22" Chinese="秋日" English="Autumn Day" ID="1"/>
                     <Item Day="18" Chinese="周三节" English="Wednesday Day" ID="2"/></Month>
    </SolarHoliday><LunarHoliday></LunarHoliday><MonthWeekly></MonthWeekly></Holiday></Quorvane>)";

constexpr int kCellWidth = 68;
constexpr int kCellHeight = 34;
constexpr int kHeaderHeight = 30;

// The colours of each cell kind, written down here on their own so that a slip in the window's
// table shows.
QColor ExpectedFill(CellKind kind) {
    switch (kind) {
        case CellKind::Plain:
            return {255, 255, 0};
        case CellKind::Selected:
            return {0, 0, 128};
        case CellKind::WeekdayHeader:
            return {0, 128, 255};
        case CellKind::Weekend:
            return {136, 212, 34};
        case CellKind::Holiday:
            return {254, 212, 34};
        case CellKind::SolarTerm:
            return {128, 128, 0};
    }
    return {};
}

QColor ExpectedText(CellKind kind) {
    switch (kind) {
        case CellKind::Selected:
        case CellKind::WeekdayHeader:
            return {255, 255, 255};
        case CellKind::Holiday:
            return {255, 0, 0};
        default:
            return {0, 0, 0};
    }
}

const QColor kBorder(72, 72, 72);
const QColor kGrey(128, 128, 128);

QRect DayCellRect(int row, int column) {
    return {kCellWidth * column, kHeaderHeight + kCellHeight * row, kCellWidth, kCellHeight};
}

// One cell as the window's drawing rules put it: the left edge down to the bottom pixel, the top
// edge up to the last pixel before the right one, the fill inside both one pixel in, the text
// centred, two lines from the top.
void PaintExpectedCell(QPainter& painter, CellKind kind, const QString& text, const QRect& cell,
                       bool header) {
    for (int y = cell.top(); y <= cell.top() + cell.height(); ++y) {
        painter.fillRect(cell.left(), y, 1, 1, kBorder);
    }
    painter.fillRect(cell.left(), cell.top(), cell.width(), 1, kBorder);
    const QRect inner = cell.adjusted(1, 1, -1, -1);
    painter.fillRect(inner, text.isEmpty() ? kGrey : ExpectedFill(kind));
    painter.setPen(ExpectedText(kind));
    if (!header && text.contains('\n')) {
        painter.drawText(inner, Qt::AlignHCenter | Qt::AlignTop, text);
    } else if (!text.isEmpty()) {
        painter.drawText(inner, Qt::AlignCenter | Qt::TextSingleLine, text);
    }
}

QImage ExpectedPicture(const MonthGrid& grid, int language, const QFont& font,
                       const QColor& behind) {
    QImage picture(476, 234, QImage::Format_RGB32);
    picture.fill(behind);
    QPainter painter(&picture);
    painter.setFont(font);
    const auto& header = WeekdayHeaderNames(language);
    for (int column = 0; column < 7; ++column) {
        const std::string_view name = header[static_cast<std::size_t>(column)];
        PaintExpectedCell(painter, CellKind::WeekdayHeader,
                          QString::fromUtf8(name.data(), static_cast<int>(name.size())),
                          {kCellWidth * column, 0, kCellWidth, kHeaderHeight}, true);
    }
    for (const DayCell& cell : grid.cells) {
        PaintExpectedCell(painter, cell.kind, QString::fromStdString(cell.text),
                          DayCellRect(cell.row, cell.column), false);
    }
    return picture;
}

class MonthGridViewTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing::WidgetApplication(); }
    void SetUp() override { ASSERT_TRUE(holidays.LoadXml(kHolidayFile)); }

    MonthGrid Show(int year, int month, int day, int language) {
        MonthGrid grid = *BuildMonthGrid(holidays, year, month, day, language);
        view.ShowMonth(grid, language);
        return grid;
    }
    QImage Picture() { return view.grab().toImage().convertToFormat(QImage::Format_RGB32); }
    QColor PixelOfCell(const QImage& picture, int day, const MonthGrid& grid, QPoint offset) {
        for (const DayCell& cell : grid.cells) {
            if (cell.day == day) {
                return picture.pixelColor(DayCellRect(cell.row, cell.column).topLeft() + offset);
            }
        }
        ADD_FAILURE() << "no cell for day " << day;
        return {};
    }

    CTessvarXmlParse holidays;
    MonthGridView view;
};

TEST_F(MonthGridViewTest, PaintsEveryPixelAsTheModelImplies) {
    const struct {
        int year, month, day, language;
    } cases[] = {
        {2024, 9, 10, kLanguageChinese},  // the 1st a Sunday; 22nd a solar-term holiday Sunday
        {2024, 9, 10, kLanguageEnglish},  {2021, 2, 3, kLanguageChinese},  // rows 4 and 5 blank
        {2000, 2, 1, kLanguageChinese},                                    // 5th: "正月"
        {2020, 5, 1, kLanguageChinese},                                    // 23rd: "闰四月"
        {2024, 2, 1, kLanguageChinese},                                    // 4th: "立春", kind 5
        {2024, 2, 31, kLanguageEnglish},  // the selection clamped to the 29th
        {1900, 1, 1, kLanguageChinese},   // no lunar line before the lunar table begins
        {2100, 12, 31, kLanguageChinese},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.year << '-' << c.month << '-' << c.day << " language " << c.language);
        const MonthGrid grid = Show(c.year, c.month, c.day, c.language);
        const QImage picture = Picture();
        ASSERT_EQ(picture.size(), QSize(476, 234));
        EXPECT_EQ(picture,
                  ExpectedPicture(grid, c.language, view.font(), view.palette().window().color()));
        for (const DayCell& cell : grid.cells) {
            const QRect place = DayCellRect(cell.row, cell.column);
            EXPECT_EQ(picture.pixelColor(place.topLeft()), kBorder);
            EXPECT_EQ(picture.pixelColor(place.left(), place.bottom()), kBorder);
            EXPECT_EQ(picture.pixelColor(place.right(), place.top()), kBorder);
            EXPECT_EQ(picture.pixelColor(place.topLeft() + QPoint(1, 1)),
                      cell.day == 0 ? kGrey : ExpectedFill(cell.kind))
                << cell.row << ',' << cell.column;
            // The right and bottom edges are the neighbours' and the frame's.
            EXPECT_EQ(picture.pixelColor(place.right(), place.top() + 3),
                      view.palette().window().color());
        }
    }
}

TEST_F(MonthGridViewTest, NamedDaysGetTheirColours) {
    const struct {
        int year, month, selected, language, day;
        QColor fill;
    } cases[] = {
        {2024, 9, 10, kLanguageChinese, 1, {136, 212, 34}},   // the 1st a Sunday in column 6
        {2024, 9, 10, kLanguageChinese, 22, {128, 128, 0}},   // term, holiday and Sunday: term
        {2024, 9, 10, kLanguageEnglish, 22, {254, 212, 34}},  // no terms in English: holiday
        {2024, 9, 10, kLanguageEnglish, 18, {254, 212, 34}},
        {2024, 9, 22, kLanguageChinese, 22, {0, 0, 128}},  // the selection over everything
        {2024, 2, 1, kLanguageChinese, 4, {128, 128, 0}},
        {2024, 2, 1, kLanguageEnglish, 4, {136, 212, 34}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.year << '-' << c.month << '-' << c.day);
        const MonthGrid grid = Show(c.year, c.month, c.selected, c.language);
        EXPECT_EQ(PixelOfCell(Picture(), c.day, grid, QPoint(1, 1)), c.fill);
    }
    // September 2024: six blank cells before the 1st, the 30th in the last row's first column.
    const MonthGrid september = Show(2024, 9, 10, kLanguageEnglish);
    const QImage picture = Picture();
    for (int column = 0; column < 6; ++column) {
        EXPECT_EQ(picture.pixelColor(DayCellRect(0, column).center()), kGrey) << column;
    }
    EXPECT_EQ(september.cells[35].day, 30);
    EXPECT_EQ(picture.pixelColor(DayCellRect(5, 1).center()), kGrey);
}

TEST_F(MonthGridViewTest, AClickSelectsTheDayUnderItAndTheHeaderRowCountsAsTheFirstRow) {
    Show(2024, 9, 10, kLanguageEnglish);  // the 1st in column 6, the 30th in row 5 column 0
    const struct {
        QPoint point;
        std::optional<int> day;
    } cases[] = {
        {{6 * 68 + 5, 5}, 1},              // header row above the 1st
        {{0 * 68 + 5, 5}, std::nullopt},   // header row above a blank cell
        {{3 * 68 + 5, 40}, std::nullopt},  // blank cell
        {{6 * 68 + 67, 30 + 33}, 1},
        {{0, 30 + 34}, 2},
        {{5, 30 + 5 * 34 + 5}, 30},
        {{475, 233}, std::nullopt},  // row 5 column 6 is blank
        {{476, 100}, std::nullopt},  // outside
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.point.x() << ',' << c.point.y());
        EXPECT_EQ(view.DayAt(c.point), c.day);
        QSignalSpy clicked(&view, &MonthGridView::dayClicked);
        QTest::mouseRelease(&view, Qt::LeftButton, {}, c.point);
        if (c.day && view.rect().contains(c.point)) {
            ASSERT_EQ(clicked.size(), 1);
            EXPECT_EQ(clicked[0][0].toInt(), *c.day);
        } else {
            EXPECT_TRUE(clicked.isEmpty());
        }
    }
}

TEST_F(MonthGridViewTest, MovingTheSelectionRepaintsToTheNewModel) {
    Show(2024, 9, 10, kLanguageChinese);
    view.MoveSelection(*BuildMonthGrid(holidays, 2024, 9, 22, kLanguageChinese));
    const MonthGrid grid = view.Grid();
    EXPECT_EQ(Picture(), ExpectedPicture(grid, kLanguageChinese, view.font(),
                                         view.palette().window().color()));
}

TEST_F(MonthGridViewTest, AScreenReaderReadsEachCellAsTheModelHasIt) {
    for (const int language : {kLanguageChinese, kLanguageEnglish}) {
        SCOPED_TRACE(language);
        const MonthGrid grid = Show(2024, 9, 10, language);
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&view);
        ASSERT_NE(table, nullptr);
        ASSERT_NE(table->tableInterface(), nullptr);
        EXPECT_EQ(table->role(), QAccessible::Table);
        EXPECT_EQ(table->tableInterface()->rowCount(), 6);
        EXPECT_EQ(table->tableInterface()->columnCount(), 7);
        EXPECT_EQ(table->tableInterface()->columnDescription(6), language == kLanguageChinese
                                                                     ? QStringLiteral("星期日")
                                                                     : QStringLiteral("Sunday"));
        for (const DayCell& cell : grid.cells) {
            QAccessibleInterface* read = table->tableInterface()->cellAt(cell.row, cell.column);
            ASSERT_NE(read, nullptr);
            EXPECT_EQ(read->role(), QAccessible::Cell);
            EXPECT_EQ(read->text(QAccessible::Name),
                      QString::fromStdString(cell.text).replace('\n', ' '));
            EXPECT_EQ(read->state().selected, cell.kind == CellKind::Selected);
        }
        const QAccessibleInterface* selected = table->tableInterface()->cellAt(2, 1);
        EXPECT_EQ(selected->text(QAccessible::Name).left(2), QStringLiteral("10"));
        EXPECT_EQ(table->tableInterface()->selectedCells(),
                  QList<QAccessibleInterface*>{table->tableInterface()->cellAt(2, 1)});
        const QString sunday22 =
            table->tableInterface()->cellAt(3, 6)->text(QAccessible::Description);
        EXPECT_EQ(sunday22, language == kLanguageChinese ? QStringLiteral("节气")
                                                         : QStringLiteral("Holiday"));
        EXPECT_EQ(
            table->tableInterface()->cellAt(3, 5)->text(QAccessible::Description),
            language == kLanguageChinese ? QStringLiteral("周末") : QStringLiteral("Weekend"));
    }
}

}  // namespace
}  // namespace veltaro
