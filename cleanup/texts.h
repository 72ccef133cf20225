// The texts the cleanup window shows.
#pragma once

constexpr const char* kMegabyteUnit = "MB";
constexpr const char* kByteUnit = "字节";
constexpr const char* kRecycleBinsHaveItems = "回收站有文件！";
constexpr const char* kRecycleBinsEmpty = "回收站是空的！";
constexpr const char* kCleaningDone = "清理完毕";
constexpr const char* kReminderCaption = "友情提醒";
