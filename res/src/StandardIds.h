#pragma once

// The class library's standard command and string IDs that the resources
// refer to, by their platform values.

namespace tarnex::res::std_id {

inline constexpr unsigned kFileNew = 57600;
inline constexpr unsigned kFileOpen = 57601;
inline constexpr unsigned kFileClose = 57602;
inline constexpr unsigned kFileSave = 57603;
inline constexpr unsigned kFileSaveAs = 57604;
inline constexpr unsigned kFilePrintSetup = 57606;
inline constexpr unsigned kFilePrint = 57607;
inline constexpr unsigned kFilePrintPreview = 57609;
inline constexpr unsigned kFileMru1 = 57616;
inline constexpr unsigned kEditCopy = 57634;
inline constexpr unsigned kEditCut = 57635;
inline constexpr unsigned kEditPaste = 57637;
inline constexpr unsigned kEditUndo = 57643;
inline constexpr unsigned kWindowNew = 57648;
inline constexpr unsigned kWindowArrange = 57649;
inline constexpr unsigned kWindowCascade = 57650;
inline constexpr unsigned kWindowTile = 57651;
inline constexpr unsigned kAppAbout = 57664;
inline constexpr unsigned kAppExit = 57665;
inline constexpr unsigned kNextPane = 57680;
inline constexpr unsigned kPrevPane = 57681;
inline constexpr unsigned kViewToolbar = 59392;
inline constexpr unsigned kViewStatusBar = 59393;

inline constexpr unsigned kAppTitleString = 57344;
inline constexpr unsigned kIdleMessageString = 57345;

inline constexpr int kIdOk = 1;
inline constexpr int kIdStatic = -1;

}  // namespace tarnex::res::std_id
