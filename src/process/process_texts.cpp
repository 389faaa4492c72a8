#include "process/process_texts.h"

#include "platform/interface_language.h"

namespace veltaro {
namespace {

constexpr ProcessTexts kEnglish{
    "Process Manager - Veltaro",
    "&Close",
    {"Process", "PID", "Path", "Create Time"},
    {"Module", "Path"},
    {"Thread ID", "Level"},
    "WARNING: Terminating a process can cause undesired results including loss of data and "
    "system instability. The process will not be given the chance to save its state or data "
    "before it is termirated. Are you sure you want to terminate the process?",
    "Kill process fail...",
    "Delete File",
    "If you delete this file from diskette. \nyou must kill following processes:\t\n\n",
    "\nWarning: don't recover if you delete.",
    " (has it open)",
    {"Process list", "Module list", "Thread list"},
    "Properties",
    {"Path:", "Size:", "Owner:", "Permissions:", "Modified:", "Used by:"},
    "The file can't be examined.",
    "OK",
};

constexpr ProcessTexts kChinese{
    "进程管理器 - Veltaro",
    "关闭(&C)",
    {"进程名", "进程ID", "目录", "创建时间"},
    {"模块名", "目录"},
    {"线程ID", "级别"},
    "警告: 终止进程会导致不希望发生的结果,\n包括数据丢失和系统不稳定. 在被终止前,\n进程将没有机会"
    "保存其状态和数据. 确实\n想终止该进程吗?",
    "终止进程失败...",
    "删除文件",
    "如果要从磁盘删除此文件,必须结束下列进程:\t\n\n",
    "\n请注意:删除后将不能恢复",
    " (打开了此文件)",
    {"进程列表", "模块列表", "线程列表"},
    "属性",
    {"路径:", "大小:", "所有者:", "权限:", "修改时间:", "使用者:"},
    "无法读取此文件的信息.",
    "确定",
};

}  // namespace

const ProcessTexts& ProcessTextsFor(int language) {
    return ShowsChineseTexts(language) ? kChinese : kEnglish;
}

}  // namespace veltaro
