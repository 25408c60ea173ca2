// Window class, control ids and test hooks of the main window, shared with the Windows tests.
#pragma once

namespace plenvik::win32 {

inline constexpr const wchar_t* kMainWindowClass = L"PlenvikMain";
inline constexpr const wchar_t* kMainWindowCaption = L"Plenvik";
// Set on the main window once the deferred command has run (tests wait for it).
inline constexpr const wchar_t* kCommandDoneProperty = L"PlenvikCommandDone";
// The icon resource of Plenvik.exe (res/Plenvik.rc), also the icon of project files.
inline constexpr int kProgramIconId = 1;

enum MainControlId : int {
    kIdFraProject = 1000,
    kIdFraMain,
    kIdFraButtons,
    kIdImgMain,
    kIdLblProjects,
    kIdLblProjectData,
    kIdLblProjectName,
    kIdTxtDirectoryName,
    kIdLvwProjects,
    kIdLvwProjectData,
    kIdLvwProjectIcons,
    kIdCtlPictureView,
    kIdLblInfo,
    kIdLblInfoMonitore,
    kIdPicProgressBar,
    // The seven command labels, in the order of CommandId.
    kIdLblCmdProjectSave = 1100,
    kIdLblCmdDesktopRestore,
    kIdLblCmdChangeDesktopSettings,
    kIdLblCmdSettings,
    kIdLblCmdProtokoll,
    kIdLblCmdDirChoose,
    kIdLblCmdClose,
};

inline constexpr const wchar_t* kAboutWindowClass = L"PlenvikAbout";

}  // namespace plenvik::win32
