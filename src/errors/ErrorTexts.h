// The fixed texts of the error window and the error protocol.
#pragma once

#include <array>

namespace plenvik::errtext {

inline constexpr const char* kWindowCaption = "ACHTUNG ! Ein Fehler ist aufgetreten ...";

// Frame captions.
inline constexpr const char* kFraErrMsg = "Fehlerbeschreibung:";
inline constexpr const char* kFramProgInfo = "Programm-Infos:";
inline constexpr const char* kFramCallStack = "CallStack:";
inline constexpr const char* kFramContinue = "Weiterer Programmablauf...";
inline constexpr const char* kFramProtocol = "Fehlerprotokoll ...";
inline constexpr const char* kFramComment = "Hinweise:";

inline constexpr std::array<const char*, 5> kErrTitles = {"Fehler-Nr:", "Prozedur:", "Zeilen-Nr.:", "Computer:", "Benutzer:"};
// cmdContinue(i): the button's index is the action code it answers with.
inline constexpr std::array<const char*, 5> kContinueCaptions = {"Befehl wieder&holen",
                                                                 "Fortsetzen mit &n\xC3\xA4"
                                                                 "chsten Befehl",
                                                                 "&Prozedur verlassen", "Programm &beenden", "&Debuggen"};
inline constexpr std::array<const char*, 4> kProtocolCaptions = {"&Drucken", "&Speichern", "&EMail", "&WWW"};

inline constexpr const char* kComment =
    "Bitte w\xC3\xA4hlen Sie, wie das Programm weiterlaufen soll. Das Fehlerprotokoll wurde bereits in die "
    "Protokolldatei im Programmordner geschrieben; Sie k\xC3\xB6nnen es au\xC3\x9F"
    "erdem drucken, speichern "
    "oder per E-Mail an den Support senden.";

// Replaces an info text that may carry a database password.
inline constexpr const char* kPasswordProcedure = "sp_password";
inline constexpr const char* kMaskedInfo = "(Information ausgeblendet, da Benutzer-Sicherheitsrelevante Daten enthalten sind)";

// The development hook: an error with these facts means "stop in the debugger".
inline constexpr long kDebugNumber = 1;
inline constexpr const char* kDebugSource = "Orvel Err";
inline constexpr const char* kDebugDescription = "Debug";

inline constexpr const char* kSystemErrorMark = "  -  Systemfehler";
inline constexpr const char* kDiagnosticBoxTitle = "Fehler...";

inline constexpr const char* kReentryTitle = "Fehler";
inline constexpr const char* kReentryQuestion =
    "Fehlerformular wird bereits angezeigt!, m\xC3\xB6"
    "chten Sie den Aufruf wirderholen?";
// What showing an already shown modal window fails with (run-time error 400).
inline constexpr long kAlreadyShownNumber = 400;
inline constexpr const char* kAlreadyShownText = "Formular wird bereits angezeigt; kann nicht modal angezeigt werden";

inline constexpr const char* kSavedTitle = "Fehlerprotokoll";
inline constexpr const char* kSavedTextBefore = "Das Fehlerprotokoll wurde in die Datei '";
inline constexpr const char* kSavedTextAfter = "' geschrieben !";
inline constexpr const char* kSaveFailedTextBefore = "Das Fehlerprotokoll konnte nicht in die Datei '";
inline constexpr const char* kSaveFailedTextAfter = "' geschrieben werden !";

// Where protocols are mailed and the maker's web address.
inline constexpr const char* kSupportAddress = "support@orvel.example";
inline constexpr const char* kWebAddress = "https://www.orvel.example/plenvik";
inline constexpr const char* kMailSubject = "Orvel Verwaltung, Fehler, ";

}  // namespace plenvik::errtext
