// The controls of the error window ErrorWindow: window class and control ids (the Windows tests find the
// controls by them).
#pragma once

namespace plenvik::win32::ErrorWindowIds {

inline constexpr const wchar_t* kClassName = L"PlenvikfrmErr";

inline constexpr int kFraErrMsg = 1001;
inline constexpr int kFramProgInfo = 1002;
inline constexpr int kFramCallStack = 1003;
inline constexpr int kFramContinue = 1004;
inline constexpr int kFramProtocol = 1005;
inline constexpr int kFramComment = 1006;

inline constexpr int kLstErrMsg = 1010;
inline constexpr int kLstCallStack = 1011;
inline constexpr int kLblProgInfo = 1012;
inline constexpr int kLblComment = 1013;

inline constexpr int kLblErrTitle = 1020;  // + i, i = 0..4
inline constexpr int kLblErrText = 1030;   // + i
inline constexpr int kCmdContinue = 1040;  // + action code, 0..4
inline constexpr int kCmdProtocol = 1050;  // + i, 0..3

inline constexpr int kErrMsgHorizontalExtent = 2000;  // pixels

}  // namespace plenvik::win32::ErrorWindowIds
