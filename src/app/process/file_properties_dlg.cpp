#include "app/process/file_properties_dlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "process/file_facts.h"
#include "process/process_texts.h"

namespace veltaro {
namespace {

constexpr int kShownUsers = 8;

QLabel* ValueLabel(const QString& text, const char* name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setAccessibleName(QString::fromUtf8(name).remove(QLatin1Char(':')));
    label->setAccessibleDescription(text);
    return label;
}

QString UsersText(const std::vector<FileHolder>& users, const ProcessTexts& texts) {
    QStringList lines;
    for (const FileHolder& user : users) {
        lines << QStringLiteral("%1 (%2)%3")
                     .arg(QString::fromStdString(user.name))
                     .arg(user.pid)
                     .arg(QString::fromUtf8(user.openOnly ? texts.openOnlyMark : ""));
    }
    return lines.isEmpty() ? QStringLiteral("-") : lines.join(QLatin1Char('\n'));
}

}  // namespace

FilePropertiesDlg::FilePropertiesDlg(const QString& path, const std::vector<FileHolder>& users,
                                     int language, QWidget* parent)
    : QDialog(parent) {
    const ProcessTexts& texts = ProcessTextsFor(language);
    setWindowTitle(QString::fromUtf8(texts.propertiesTitle));
    auto* form = new QFormLayout;
    const auto addRow = [&](int label, const QString& value) {
        auto* caption = new QLabel(QString::fromUtf8(texts.propertyLabels[label]), this);
        caption->setAccessibleName(caption->text());
        form->addRow(caption, ValueLabel(value, texts.propertyLabels[label], this));
    };
    addRow(0, path);
    if (const std::optional<FileFacts> facts = ReadFileFacts(path.toStdString())) {
        addRow(1, QLocale::c().toString(static_cast<qulonglong>(facts->size)));
        addRow(2, QString::fromStdString(facts->owner));
        addRow(3, QString::fromStdString(facts->permissions));
        addRow(4, QString::fromStdString(facts->modified));
    } else {
        auto* unreadable = new QLabel(QString::fromUtf8(texts.fileUnreadable), this);
        unreadable->setAccessibleName(unreadable->text());
        form->addRow(unreadable);
    }
    // A common library is used by hundreds of processes: their list scrolls.
    auto* usersCaption = new QLabel(QString::fromUtf8(texts.propertyLabels[5]), this);
    usersCaption->setAccessibleName(usersCaption->text());
    auto* usersList = new QPlainTextEdit(UsersText(users, texts), this);
    usersList->setReadOnly(true);
    usersList->setAccessibleName(usersCaption->text().remove(QLatin1Char(':')));
    usersList->setMaximumHeight(usersList->fontMetrics().lineSpacing() * kShownUsers +
                                2 * usersList->frameWidth() + 8);
    form->addRow(usersCaption, usersList);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setText(QString::fromUtf8(texts.okButton));
    ok->setAccessibleName(ok->text());
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

}  // namespace veltaro
