#pragma once

#include <QDialog>

namespace veltaro {

// Set while the about box is open: the menu and `veltaro-cli open about` open it only once.
extern bool AboutBoxOpen;

// The about box: icon 139, the product and version, a second line, OK, and a scrolling text with
// a welcome, the contact lines and, in Chinese, the version history. It has its own taskbar entry.
class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(int language, QWidget* parent = nullptr);

    // The scrolling text in the language: one line per entry, fields separated by a tab.
    static QString AboutText(int language);
};

}  // namespace veltaro
