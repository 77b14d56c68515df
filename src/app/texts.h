// Every text the program shows, once, exactly as it is shown. Sources are UTF-8; the build
// turns narrow literals into code page 932 for the "A" functions.
#pragma once

namespace pinlark::text {

inline constexpr char kAppName[] = "Pinlark";
inline constexpr char kMainClass[] = "VeskPostItClass";
inline constexpr char kMemoClass[] = "VeskPostItMemoClass";
inline constexpr char kSettingsSection[] = "Pinlark";
inline constexpr char kTrayTip[] = "Pinlark";
inline constexpr char kNewMemoOption[] = "-n";

inline constexpr char kEditDialogOpen[] = "編集ダイアログが開いています。終了できません";
inline constexpr char kSaveFailed[] = "保存に失敗しました";
inline constexpr char kFontCreateFailed[] = "フォント作成に失敗しました";
inline constexpr char kSettingsPathTooLong[] =
    "プログラムのパスが長すぎるため、設定ファイルを使えません。\n"
    "設定とメモはこの実行中だけ保持され、保存されません。";
inline constexpr char kSettingsUnreadable[] =
    "設定ファイルを読み込めませんでした。\n"
    "設定ファイルを守るため、この実行中は設定ファイルに書き込みません。";
inline constexpr char kHelpMissing[] =
    "ヘルプファイルが見つかりません。\nプログラムと同じフォルダに help フォルダがあるか確認してください。";
inline constexpr char kHelpOpenFailed[] = "ヘルプを開けませんでした";

// The WinHelp file and, where it is missing, the HTML help beside the program.
inline constexpr char kHelpFile[] = "pnlark95.hlp";
inline constexpr char kHtmlHelpFolder[] = "help";

}  // namespace pinlark::text
