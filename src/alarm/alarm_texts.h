#pragma once
// The alarm's message boxes: prompts and titles as the user sees them.

namespace qv {

inline constexpr wchar_t kEmptyPrompt[] = L"对不起，时间或事件不能为空\r否则我不能提醒你做事！";
inline constexpr wchar_t kNotNumericPrompt[] = L"你输入的时间不对，不能是字母，你重新输入！";
inline constexpr wchar_t kOutOfRangePrompt[] = L"对不起！你的时间设置不对，请重新设置";
inline constexpr wchar_t kEarlierPrompt[] = L"你设置的时间比现在的时间早";
inline constexpr wchar_t kWarningTitle[] = L"警告！";
inline constexpr wchar_t kAppTitle[] = L"qorvane";  // the application's own title

// Balloons under the alarm window's boxes.
inline constexpr wchar_t kTimeTooLongTitle[] = L"粘贴的时间太长";
inline constexpr wchar_t kTimeTooLongText[] = L"每格最多两个数字，粘贴的内容没有加进来。";
inline constexpr wchar_t kCannotWakeTitle[] = L"不能唤醒电脑";
inline constexpr wchar_t kCannotWakeText[] = L"这台电脑睡眠时不能定时醒来，闹钟到时请让电脑开着。";
inline constexpr wchar_t kNoLogonStartTitle[] = L"登录时不能自动启动";
inline constexpr wchar_t kNoLogonStartText[] = L"程序所在文件夹的路径太长，重新登录时 Windows 不会启动它。请把程序放到路径短些的文件夹里。";
inline constexpr wchar_t kCannotKeepTitle[] = L"闹钟没有保存";
inline constexpr wchar_t kCannotKeepText[] = L"注册表不让写入，程序关闭后这个闹钟就没有了，到时请让程序开着。";

}  // namespace qv
