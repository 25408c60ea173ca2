// The identities of the extension: class, type library and interface, and its resource numbers.
#pragma once

#include <windows.h>

namespace plenvik::shellext {

// {BE20BBA2-D541-4C31-8ABA-6872D2421616}
inline constexpr GUID kClsidOrvelShellExtensions = {0xBE20BBA2, 0xD541, 0x4C31, {0x8A, 0xBA, 0x68, 0x72, 0xD2, 0x42, 0x16, 0x16}};
inline constexpr wchar_t kClsidText[] = L"{BE20BBA2-D541-4C31-8ABA-6872D2421616}";

// {C0FBFDDD-974F-495D-BF90-68A4DE605F91}
inline constexpr GUID kLibidPlenvikShellExtensionLib = {0xC0FBFDDD, 0x974F, 0x495D, {0xBF, 0x90, 0x68, 0xA4, 0xDE, 0x60, 0x5F, 0x91}};
inline constexpr wchar_t kLibidText[] = L"{C0FBFDDD-974F-495D-BF90-68A4DE605F91}";

// {0027CD76-92A5-4A02-BF71-3EC5A5C29F19}
inline constexpr GUID kIidIOrvelShellExtensions = {0x0027CD76, 0x92A5, 0x4A02, {0xBF, 0x71, 0x3E, 0xC5, 0xA5, 0xC2, 0x9F, 0x19}};
inline constexpr wchar_t kIidText[] = L"{0027CD76-92A5-4A02-BF71-3EC5A5C29F19}";

inline constexpr wchar_t kClassName[] = L"OrvelShellExtensions Class";
inline constexpr wchar_t kProgId[] = L"PlenvikShellExtension.OrvelShellExtensions.1";
inline constexpr wchar_t kVersionIndependentProgId[] = L"PlenvikShellExtension.OrvelShellExtensions";
inline constexpr wchar_t kHandlerKey[] = L"Directory\\Background\\ShellEx\\ContextMenuHandlers\\Plenvik";

inline constexpr wchar_t kTypeLibraryName[] = L"PlenvikShellExtensionLib";
inline constexpr wchar_t kTypeLibraryDoc[] = L"PlenvikShellExtension 1.0 Type Library";
inline constexpr wchar_t kInterfaceName[] = L"IOrvelShellExtensions";
inline constexpr wchar_t kInterfaceDoc[] = L"IOrvelShellExtensions Interface";
inline constexpr wchar_t kCoClassName[] = L"OrvelShellExtensions";
// The name of the library built in memory; registration saves it beside the DLL under the DLL's own
// name (typeLibraryPath()).
inline constexpr wchar_t kTypeLibraryFile[] = L"OrvelShellExtensions.tlb";

}  // namespace plenvik::shellext
