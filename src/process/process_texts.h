#pragma once

namespace veltaro {

// The process manager's own texts in one language.
struct ProcessTexts {
    const char* windowTitle;
    const char* closeButton;
    const char* processHeadings[4];
    const char* moduleHeadings[2];
    const char* threadHeadings[2];
    const char* killWarning;
    const char* killFailed;
    const char* deleteTitle;
    const char* deleteHeading;
    const char* deleteClosing;
    // After the name of a process that only has the file open.
    const char* openOnlyMark;
    // The names of the three lists, for screen readers.
    const char* listNames[3];
    // The properties window of the program's own, for desktops without a file manager service.
    const char* propertiesTitle;
    const char* propertyLabels[6];  // path, size, owner, permissions, modified, used by
    const char* fileUnreadable;
    const char* okButton;
};

const ProcessTexts& ProcessTextsFor(int language);

// The failure box of a deletion speaks Chinese whatever the language.
inline constexpr char kDeleteFailedText[] = "删除文件失败!\t";
inline constexpr char kDeleteFailedTitle[] = "删除文件";

}  // namespace veltaro
