#include "settings/SettingsDialog.h"

#include "platform/Clock.h"
#include "common/NumberText.h"

namespace plenvik {

bool SettingsDialog::initialize(std::int32_t limit, bool fileSave, bool fileNameAuto, bool folderSave) {
    chkFileSave_ = fileSave;
    txtMaxFileSize_ = std::to_string(limit);
    chkFileNameAuto_ = fileNameAuto;
    chkFolderSave_ = folderSave;
    lblCmdSettingsSaveEnabled_ = false;
    lblInfo_.clear();
    return true;
}

void SettingsDialog::fileSaveClicked(bool checked) {
    chkFileSave_ = checked;  // the size box follows: enabled only while files are saved
    changed();
}

void SettingsDialog::fileNameAutoClicked(bool checked) {
    chkFileNameAuto_ = checked;
    changed();
}

void SettingsDialog::folderSaveClicked(bool checked) {
    chkFolderSave_ = checked;
    changed();
}

void SettingsDialog::maxFileSizeChanged(const std::string& text) {
    txtMaxFileSize_ = text;
    changed();
}

void SettingsDialog::saveClicked() {
    if (!lblCmdSettingsSaveEnabled_) return;
    // A text that is not a number is refused like an out-of-range one.
    const auto size = parsePlainNumber(txtMaxFileSize_, locale_.decimalSeparator());
    if (!size || *size < 0 || *size > kFileSizeMaxLargest) {
        lblInfo_ = settings_text::kSizeOutOfRange;
        return;
    }
    resultCode_ = kResultSaved;
    visible_ = false;
}

void SettingsDialog::closeClicked() {
    resultCode_ = kResultClosed;
    visible_ = false;
}

std::int32_t fileSizeLimitFromText(const std::string& text) {
    const auto rounded = roundHalfEvenToInt32(leadingNumber(text));
    if (!rounded || *rounded < 1 || *rounded > kFileSizeMaxLargest) return kFileSizeMaxDefault;
    return *rounded;
}

Settings settingsTakenOver(const SettingsDialog& form) {
    Settings taken;
    taken.fileSave = form.chkFileSave();
    taken.fileSizeMax = fileSizeLimitFromText(form.txtMaxFileSize());
    taken.fileNameAuto = form.chkFileNameAuto();
    taken.folderSave = form.chkFolderSave();
    return taken;
}

SettingsDialogOutcome runSettingsDialog(SettingsDialogView& view, Locale& locale, const Settings& current) {
    SettingsDialog form(locale);
    form.initialize(current.fileSizeMax, current.fileSave, current.fileNameAuto, current.folderSave);
    view.showModal(form);
    SettingsDialogOutcome outcome{form.resultCode(), current};
    if (outcome.resultCode == SettingsDialog::kResultSaved) outcome.settings = settingsTakenOver(form);
    return outcome;
}

}  // namespace plenvik
