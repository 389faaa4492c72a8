#include "platform/autostart.h"

#include "platform/atomic_file.h"
#include "platform/xdg_folders.h"

namespace veltaro {

namespace {

// Inside a quoted Exec argument these four keep their meaning only behind a backslash.
bool NeedsArgumentEscape(char c) {
    return c == '"' || c == '`' || c == '$' || c == '\\';
}

std::string QuotedExecArgument(std::string_view argument) {
    std::string quoted = "\"";
    for (const char c : argument) {
        if (NeedsArgumentEscape(c)) {
            quoted += '\\';
        }
        quoted += c;
        // A lone '%' would start a field code.
        if (c == '%') {
            quoted += '%';
        }
    }
    return quoted + "\"";
}

// The escapes of every string value, applied after the Exec quoting.
std::string EscapedStringValue(std::string_view value) {
    std::string escaped;
    for (const char c : value) {
        switch (c) {
            case '\\':
                escaped += "\\\\";
                break;
            case '\n':
                escaped += "\\n";
                break;
            case '\t':
                escaped += "\\t";
                break;
            case '\r':
                escaped += "\\r";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

}  // namespace

std::filesystem::path AutostartEntryPath(const std::filesystem::path& configHome) {
    return configHome.empty() ? configHome : configHome / "autostart" / "veltaro.desktop";
}

std::string DesktopExecValue(std::string_view programPath) {
    return EscapedStringValue(QuotedExecArgument(programPath));
}

std::string AutostartEntryText(std::string_view programPath) {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Version=1.5\n"
           "Name=Veltaro\n"
           "Exec=" +
           DesktopExecValue(programPath) +
           "\n"
           "Terminal=false\n"
           "X-GNOME-Autostart-enabled=true\n";
}

bool WriteAutostartEntry(const std::filesystem::path& entryPath, std::string_view programPath) {
    return !programPath.empty() && EnsurePrivateFolder(entryPath.parent_path()) &&
           ReplaceFileAtomically(entryPath, AutostartEntryText(programPath), 0644);
}

}  // namespace veltaro
