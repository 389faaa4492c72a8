#pragma once

#include <QApplication>
#include <QDesktopServices>
#include <QObject>
#include <QStringList>
#include <QUrl>
#include <cstdlib>
#include <ostream>

namespace veltaro::testing {

// The one QApplication of a widget test, on Qt's offscreen platform: these tests need no display.
inline QApplication& WidgetApplication() {
    static int argc = 1;
    static char name[] = "widget_test";
    static char* argv[] = {name, nullptr};
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QApplication* application = new QApplication(argc, argv);
    return *application;
}

// Takes the place of the default browser and mail program for the given schemes while it lives:
// what QDesktopServices::openUrl was asked to open ends up in Opened.
class OpenedUrls : public QObject {
    Q_OBJECT

public:
    explicit OpenedUrls(QStringList schemes = {"https", "http", "mailto"})
        : schemes_(std::move(schemes)) {
        for (const QString& scheme : schemes_) {
            QDesktopServices::setUrlHandler(scheme, this, "Open");
        }
    }
    ~OpenedUrls() override {
        for (const QString& scheme : schemes_) {
            QDesktopServices::unsetUrlHandler(scheme);
        }
    }

    QStringList Opened;

public slots:
    void Open(const QUrl& url) { Opened << url.toString(); }

private:
    QStringList schemes_;
};

}  // namespace veltaro::testing

// Readable strings in test failures.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
