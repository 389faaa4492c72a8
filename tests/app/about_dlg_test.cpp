// The about box in both languages, on Qt's offscreen platform.
#include "app/about_dlg.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace veltaro {
namespace {

int argc = 1;
char name[] = "about_dlg_test";
char* argv[] = {name, nullptr};

class AboutDlgTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        new QApplication(argc, argv);
    }
};

TEST_F(AboutDlgTest, CaptionsAndTextFollowTheLanguage) {
    const struct {
        int language;
        const char* title;
        const char* ok;
        bool history;
    } cases[] = {
        {4, "关于 Veltaro 6.0", "确定", true},
        {9, "About Veltaro 6.0", "OK", false},
        {7, "About Veltaro 6.0", "OK", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        const CAboutDlg about(c.language);
        EXPECT_EQ(about.windowTitle(), QString::fromUtf8(c.title));
        EXPECT_TRUE(about.windowFlags().testFlag(Qt::Window)) << "a taskbar entry of its own";
        const QList<QPushButton*> buttons = about.findChildren<QPushButton*>();
        ASSERT_EQ(buttons.size(), 1);
        EXPECT_EQ(buttons[0]->text(), QString::fromUtf8(c.ok));
        const QPlainTextEdit* text = about.findChild<QPlainTextEdit*>();
        ASSERT_NE(text, nullptr);
        EXPECT_TRUE(text->isReadOnly());
        EXPECT_EQ(text->toPlainText().contains(QStringLiteral("版本历史")), c.history);
        EXPECT_TRUE(about.findChild<QLabel*>() != nullptr);
        for (const QWidget* control : about.findChildren<QWidget*>()) {
            if (qobject_cast<const QLabel*>(control) || qobject_cast<const QPushButton*>(control) ||
                qobject_cast<const QPlainTextEdit*>(control)) {
                EXPECT_FALSE(control->accessibleName().isEmpty())
                    << control->metaObject()->className();
            }
        }
    }
}

}  // namespace
}  // namespace veltaro
