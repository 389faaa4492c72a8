// The file manager calls against a FileManager1 double of the test's own on a private session bus,
// and the fallbacks when no file manager is there.
#include "app/process/file_manager.h"

#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalSpy>

#include "app/process/file_properties_dlg.h"
#include "child_process.h"
#include "temp_folder.h"
#include "widget_test_support.h"

namespace veltaro {
namespace {

const QString kService = QStringLiteral("org.freedesktop.FileManager1");
const QString kDoubleConnection = QStringLiteral("file-manager-double");
const QString kCallerConnection = QStringLiteral("file-manager-caller");

// Takes the place of the desktop's file manager and keeps every call it gets.
class FileManagerDouble : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")

public:
    QStringList Calls;

public slots:
    void ShowItems(const QStringList& uris, const QString& startupId) {
        Calls << QStringLiteral("ShowItems ") + uris.join(' ') + ' ' + startupId;
    }
    void ShowItemProperties(const QStringList& uris, const QString& startupId) {
        Calls << QStringLiteral("ShowItemProperties ") + uris.join(' ') + ' ' + startupId;
    }
};

class FileManagerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing::WidgetApplication(); }
    void SetUp() override {
        const QString address = QString::fromStdString(bus.Address());
        serving = QDBusConnection::connectToBus(address, kDoubleConnection);
        caller = QDBusConnection::connectToBus(address, kCallerConnection);
        ASSERT_TRUE(serving.isConnected());
        ASSERT_TRUE(caller.isConnected());
    }
    void TearDown() override {
        QDBusConnection::disconnectFromBus(kDoubleConnection);
        QDBusConnection::disconnectFromBus(kCallerConnection);
    }
    void Serve() {
        ASSERT_TRUE(serving.registerObject(QStringLiteral("/org/freedesktop/FileManager1"),
                                           &fileManagerDouble, QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(serving.registerService(kService));
    }
    // Waits for the answer of the call made by `call`; true when the file manager answered.
    bool Answered(FileManager& fileManager, const std::function<void()>& call) {
        QSignalSpy finished(&fileManager, &FileManager::finished);
        call();
        EXPECT_TRUE(finished.wait(5000));
        return !finished.isEmpty() && finished.takeFirst().at(0).toBool();
    }

    testing::TempFolder folder;
    testing::PrivateBus bus{folder.Path(), "session"};
    QDBusConnection serving{QStringLiteral("unset")};
    QDBusConnection caller{QStringLiteral("unset")};
    FileManagerDouble fileManagerDouble;
};

TEST_F(FileManagerTest, AsksTheFileManagerWithTheFilesEncodedUri) {
    Serve();
    FileManager fileManager(caller);
    bool fellBack = false;
    EXPECT_TRUE(Answered(fileManager, [&] { fileManager.ShowItem("/opt/my lib/a#b.so"); }));
    EXPECT_TRUE(Answered(fileManager, [&] {
        fileManager.ShowItemProperties("/usr/lib/libc.so.6", [&] { fellBack = true; });
    }));
    EXPECT_EQ(fileManagerDouble.Calls,
              (QStringList{"ShowItems file:///opt/my%20lib/a%23b.so ",
                           "ShowItemProperties file:///usr/lib/libc.so.6 "}));
    EXPECT_FALSE(fellBack);
}

TEST_F(FileManagerTest, WithoutAFileManagerOpensTheFolderOrFallsBack) {
    testing::OpenedUrls opened({"file"});
    FileManager fileManager(caller);
    bool fellBack = false;
    EXPECT_FALSE(Answered(fileManager, [&] { fileManager.ShowItem("/opt/my lib/a.so"); }));
    EXPECT_EQ(opened.Opened, QStringList{"file:///opt/my lib"});
    EXPECT_FALSE(Answered(fileManager, [&] {
        fileManager.ShowItemProperties("/opt/my lib/a.so", [&] { fellBack = true; });
    }));
    EXPECT_TRUE(fellBack);
    EXPECT_TRUE(fileManagerDouble.Calls.isEmpty());
}

TEST_F(FileManagerTest, TheOwnPropertiesWindowShowsTheFileAndItsUsers) {
    const std::string file = testing::WriteText(folder.Path() / "held.so", "1234567");
    const FilePropertiesDlg properties(QString::fromStdString(file),
                                       {{42, "alpha", false}, {43, "beta", true}}, 9);
    QStringList texts;
    for (const QLabel* label : properties.findChildren<QLabel*>()) {
        texts << label->text();
        EXPECT_FALSE(label->accessibleName().isEmpty());
    }
    EXPECT_TRUE(texts.contains(QString::fromStdString(file)));
    EXPECT_TRUE(texts.contains("7"));
    const QPlainTextEdit* users = properties.findChild<QPlainTextEdit*>();
    ASSERT_NE(users, nullptr);
    EXPECT_EQ(users->toPlainText(), "alpha (42)\nbeta (43) (has it open)");
    EXPECT_FALSE(users->accessibleName().isEmpty());
    EXPECT_EQ(properties.windowTitle(), "Properties");
}

}  // namespace
}  // namespace veltaro

#include "file_manager_test.moc"
