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
inline constexpr char kTooManyMemos[] = "メモの数が多すぎます";
inline constexpr char kMemoWindowFailed[] = "メモウインドウの作成に失敗しました";
inline constexpr char kSampleMemo[] =
    "これはサンプルメモです\r\n"
    "必要なくなったら右クリックして、メニューから「削除」を選んでください\r\n"
    "その他、ご使用方法はヘルプを参照してください";
inline constexpr char kDeleteForGood[] = "ごみ箱に入れずに、メモを削除します";
inline constexpr char kOnlyOneEditor[] = "メモは一つしか編集できません";
inline constexpr char kAbandonEdit[] = "編集内容を放棄します\nよろしいですか？";
inline constexpr char kAlarmYearRange[] = "アラームの年は1997～2039の範囲で指定してください";
inline constexpr char kAlarmMonthRange[] = "アラームの月は1～12の範囲で指定してください";
// The day's last value is the length of the month shown.
inline constexpr char kAlarmDayRange[] = "アラームの日は1～%dの範囲で指定してください";
inline constexpr char kAlarmHourRange[] = "アラームの時は0～23の範囲で指定してください";
inline constexpr char kAlarmMinuteRange[] = "アラームの分は0～59の範囲で指定してください";
inline constexpr char kSaveFailed[] = "保存に失敗しました";
inline constexpr char kSettingsChangedElsewhere[] =
    "設定ファイルがほかのプログラムによって変更されていました。\n"
    "変更されたファイルを次の名前で残してから、保存しました。\n";
inline constexpr char kEndWithoutSaving[] = "保存せずに終了します\nよろしいですか？";
inline constexpr char kFontCreateFailed[] = "フォント作成に失敗しました";
inline constexpr char kSettingsPathTooLong[] =
    "プログラムのパスが長すぎるため、設定ファイルを使えません。\n"
    "設定とメモはこの実行中だけ保持され、保存されません。";
inline constexpr char kSettingsUnreadable[] =
    "設定ファイルを読み込めませんでした。\n"
    "設定ファイルを守るため、この実行中は設定ファイルに書き込みません。";
inline constexpr char kSettingsNameTooShort[] =
    "プログラムの名前が短すぎるため、設定ファイルを使えません。\n"
    "設定とメモはこの実行中だけ保持され、保存されません。";
// What the first save of a run without a settings file says.
inline constexpr char kNotSavedPathTooLong[] =
    "プログラムのパスが長すぎるため、変更を保存できません。\n設定とメモはこの実行中だけ保持されます。";
inline constexpr char kNotSavedNameTooShort[] =
    "プログラムの名前が短すぎるため、変更を保存できません。\n設定とメモはこの実行中だけ保持されます。";
inline constexpr char kNotSavedUnreadable[] =
    "設定ファイルを読み込めなかったため、この実行中の変更は保存できません。";
inline constexpr char kHelpMissing[] =
    "ヘルプファイルが見つかりません。\nプログラムと同じフォルダに help フォルダがあるか確認してください。";
inline constexpr char kHelpOpenFailed[] = "ヘルプを開けませんでした";

// Trash dialog.
inline constexpr char kTrashDeleteOne[] =
    "メモをごみ箱から削除します\nこのメモを回復できなくなります\nよろしいですか？";
inline constexpr char kTrashEmpty[] =
    "ごみ箱を空にします\nこれまで削除したメモを回復できなくなります\nよろしいですか？";

// Clipboard and opening files.
inline constexpr char kClipboardLockFailed[] = "クリップボードの参照に失敗しました";
inline constexpr char kClipboardOpenFailed[] = "クリップボードが開けません";
inline constexpr char kClipboardSetFailed[] = "クリップボードへのコピーに失敗しました";
inline constexpr char kOutOfMemory[] = "メモリを確保できません";
inline constexpr char kCannotOpenFile[] = "ファイルを開けません";
inline constexpr char kShellExecuteError[] = "ファイルを開けません\nShellExecute エラー番号 %d";

// Properties dialog.
inline constexpr char kMinColumnRange[] = "桁数を10～100に指定してください";
// Filled with the lowest and highest value the field takes.
inline constexpr char kCxMerginRange[] = "右余白を%d～%dに指定してください";
inline constexpr char kCyMerginRange[] = "上余白を%d～%dに指定してください";
inline constexpr char kIntervalRange[] = "間隔を%d～%dに指定してください";
inline constexpr char kSoundFilter[] = "サウンド(*.wav)";
inline constexpr char kSoundPattern[] = "*.wav";
inline constexpr char kSoundDialogTitle[] = "アラーム音の指定";
inline constexpr char kSoundExtension[] = "wav";
inline constexpr char kCannotPlay[] = "再生できません";

// Printing.
inline constexpr char kPrintDocName[] = "Pinlark";
inline constexpr char kPrintStartFailed[] = "印刷を開始できません";
inline constexpr char kPrintFinishFailed[] = "印刷を完了できませんでした";

// Labels of the transparent entries of the colour lists.
inline constexpr char kTransparentLabel[] = "透明";
inline constexpr char kTransparentLightLabel[] = "透明(明)";
inline constexpr char kTransparentDarkLabel[] = "透明(暗)";

// The office shortcut bar, whose place the arrangement leaves free.
inline constexpr char kOfficeBarClass[] = "MOM Class";
inline constexpr char kOfficeBarTitle[] = "Microsoft Office ｼｮｰﾄｶｯﾄ ﾊﾞｰ";

// The WinHelp file and, where it is missing, the HTML help beside the program.
inline constexpr char kHelpFile[] = "pnlark95.hlp";
inline constexpr char kHtmlHelpFolder[] = "help";

}  // namespace pinlark::text
