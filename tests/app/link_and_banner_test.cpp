// The link label and the banner on Qt's offscreen platform, with the default browser replaced.
#include <gtest/gtest.h>

#include <QEnterEvent>
#include <QSignalSpy>
#include <QTest>

#include "app/banner.h"
#include "app/static_link.h"
#include "platform/interface_language.h"
#include "widget_test_support.h"

namespace veltaro {
namespace {

using testing::OpenedUrls;

class LinkTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing::WidgetApplication(); }

    void Hover() {
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QApplication::sendEvent(&link, &enter);
    }
    void Leave() {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&link, &leave);
    }

    CStaticLink link;
    OpenedUrls browser;
};

TEST_F(LinkTest, BlueThenRedWhileHoveredThenPurpleAfterAnOpenAndBlueOnceLeft) {
    link.SetCaption("History Today");
    link.SetTarget("https://www.veltaro.com/veltaro6/History.asp?Year=2024&Month=3&Day=5&LangID=9");
    EXPECT_EQ(link.TextColour(), CStaticLink::kNormalColour);
    EXPECT_EQ(link.cursor().shape(), Qt::PointingHandCursor);
    Hover();
    EXPECT_EQ(link.TextColour(), CStaticLink::kHoverColour);
    QTest::mouseClick(&link, Qt::LeftButton);
    EXPECT_EQ(browser.Opened, QStringList{link.Target()});
    EXPECT_EQ(link.TextColour(), CStaticLink::kVisitedColour);
    Leave();
    EXPECT_EQ(link.TextColour(), CStaticLink::kNormalColour);
    EXPECT_EQ(link.accessibleName(), "History Today");
    EXPECT_EQ(link.palette().color(QPalette::WindowText), CStaticLink::kNormalColour);
}

TEST_F(LinkTest, WhatALinkOpens) {
    struct Case {
        QString caption;
        QString target;
        QString opened;  // empty: nothing is opened
    };
    const Case cases[] = {
        {"Mail the author", "mailto:author@veltaro.com", "mailto:author@veltaro.com"},
        // Without a target a label that reads an address opens it.
        {"https://www.veltaro.com", "", "https://www.veltaro.com"},
        {"www.veltaro.com", "", "http://www.veltaro.com"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        browser.Opened.clear();
        link.SetCaption(c.caption);
        link.SetTarget(c.target);
        QSignalSpy opened(&link, &CStaticLink::opened);
        QTest::mouseClick(&link, Qt::LeftButton);
        EXPECT_EQ(browser.Opened.value(0), c.opened) << c.caption.toStdString();
        EXPECT_EQ(opened.count(), c.opened.isEmpty() ? 0 : 1);
    }
}

TEST_F(LinkTest, AFailedOpenKeepsTheHoverColour) {
    // No handler and no browser behind this scheme: the open fails (and beeps).
    link.SetTarget("veltaro-nowhere:page");
    Hover();
    QSignalSpy opened(&link, &CStaticLink::opened);
    QTest::mouseClick(&link, Qt::LeftButton);
    ASSERT_EQ(opened.count(), 1);
    EXPECT_FALSE(opened.at(0).at(0).toBool());
    EXPECT_EQ(link.TextColour(), CStaticLink::kHoverColour);
}

TEST_F(LinkTest, SpaceOpensAFocusedLinkAndEnterIsLeftToTheWindow) {
    link.SetTarget("https://www.veltaro.com");
    QTest::keyClick(&link, Qt::Key_Return);
    EXPECT_TRUE(browser.Opened.isEmpty());
    QTest::keyClick(&link, Qt::Key_Space);
    EXPECT_EQ(browser.Opened, QStringList{"https://www.veltaro.com"});
}

class BannerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing::WidgetApplication(); }
    OpenedUrls browser;
};

TEST_F(BannerTest, SizesOfEachWindowsArrangement) {
    EXPECT_EQ(BannerSize(BannerPlace::kMainWindow), QSize(637, 99));
    EXPECT_EQ(BannerSize(BannerPlace::kProcessManager), QSize(640, 94));
    EXPECT_EQ(BannerSize(BannerPlace::kCalendar), QSize(640, 113));
    EXPECT_EQ(BannerSize(BannerPlace::kAlert), QSize(409, 66));
}

TEST_F(BannerTest, ShowsThePageItStandsForAndOpensItOnAClick) {
    Banner banner;
    banner.resize(640, kStretchedBannerHeight);
    QTest::mouseClick(&banner, Qt::LeftButton);
    EXPECT_TRUE(browser.Opened.isEmpty()) << "nothing to open before the first page";

    const std::string address = "https://www.veltaro.com/veltaro6/veltaro.asp?LangID=4&Startup=1";
    banner.Navigate(address, kLanguageChinese);
    EXPECT_EQ(banner.toolTip().toStdString(), address);
    EXPECT_EQ(banner.accessibleDescription().toStdString(), address);
    const QString chineseLine = banner.Tagline();
    banner.Navigate(address, kLanguageEnglish);
    EXPECT_NE(banner.Tagline(), chineseLine);
    EXPECT_TRUE(banner.accessibleName().contains(banner.Tagline()));

    QSignalSpy opened(&banner, &Banner::pageOpened);
    QTest::mouseClick(&banner, Qt::LeftButton);
    EXPECT_EQ(browser.Opened, QStringList{QString::fromStdString(address)});
    EXPECT_EQ(opened.count(), 1);
}

TEST_F(BannerTest, PaintsItsStripAtEverySize) {
    Banner banner;
    banner.Navigate("https://www.veltaro.com/veltaro6/Remind.asp?LangID=9", kLanguageEnglish);
    for (const BannerPlace place : {BannerPlace::kMainWindow, BannerPlace::kProcessManager,
                                    BannerPlace::kCalendar, BannerPlace::kAlert}) {
        banner.resize(BannerSize(place));
        const QImage strip = banner.grab().toImage();
        ASSERT_EQ(strip.size(), BannerSize(place));
        // Not blank: the background and the white product name are both there.
        EXPECT_NE(strip.pixelColor(2, 2), strip.pixelColor(strip.width() - 3, 2));
        bool hasWhite = false;
        for (int x = 0; x < strip.width() && !hasWhite; ++x) {
            for (int y = 0; y < strip.height() && !hasWhite; ++y) {
                hasWhite = strip.pixelColor(x, y) == Qt::white;
            }
        }
        EXPECT_TRUE(hasWhite);
    }
}

}  // namespace
}  // namespace veltaro
