#include "app/MainController.h"

#include <stdexcept>

#include "app/CommandLine.h"
#include "app/MainView.h"
#include "errors/ErrorHandler.h"
#include "platform/Dialogs.h"
#include "platform/EventPump.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"
#include "platform/Processes.h"
#include "platform/SystemInfo.h"
#include "ui/Protocol.h"

namespace plenvik {
namespace {

const char* actionName(CommandId id) {
    return id == CommandId::ProjectSave ? "'Desktop Projekt erstellen/speichern'" : "'Desktop Symbole aus Projektdatei herstellen'";
}

}  // namespace

MainController::MainController(Platform& platform, ErrorHandler& errors, MainActions& actions)
    : platform_(platform),
      errors_(errors),
      actions_(actions),
      menus_(makeMainMenus()),
      pictureView_(std::make_unique<PictureView>(&platform.files)) {
    pictureView_->NewPicture(kMainPictureWidth, kMainPictureHeight, systemColor(5));
    const auto label = [](CommandId id, const char* name, const char* caption, bool longRunning) {
        CommandLabel c{};
        c.id = id;
        c.name = name;
        c.defaultCaption = caption;
        c.caption = caption;
        c.longRunning = longRunning;
        return c;
    };
    commands_ = {
        label(CommandId::ProjectSave, "lblCmdProjectSave", "Desktop Projekt erstellen/speichern", true),
        label(CommandId::DesktopRestore, "lblCmdDesktopRestore", "Desktop Symbole aus Projektdatei herstellen", true),
        label(CommandId::ChangeDesktopSettings, "lblCmdChangeDesktopSettings", "Desktop Einstellungen ändern", false),
        label(CommandId::Settings, "lblCmdSettings", "Einstellungen", false),
        label(CommandId::Protokoll, "lblCmdProtokoll", "Protokoll anzeigen", false),
        label(CommandId::DirChoose, "lblCmdDirChoose", ".....", false),
        label(CommandId::Close, "lblCmdClose", "&Schließen", false),
    };
    // Nothing to show before the first run.
    mutableCommand(CommandId::Protokoll).enabled = false;
}

MainController::~MainController() = default;

void MainController::load(std::string_view commandLine) {
    const StartCommand start = parseStartCommand(splitCommandLine(commandLine));
    commandWord = start.word;
    restoreFile = start.restoreFile;
    openFile = start.openFile;
    program_.diagnosticFlags = start.diagnosticFlags;

    program_.webAddress = std::string(kMakerWebAddress) + "?SOFTWARE=Plenvik";

    lists.addColumns();

    applySettings(actions_.readSettings(*this));

    setDirectory(platform_.system.programFolder(), true);
}

void MainController::applySettings(const Settings& values) {
    settings_ = values;
    if (settings_.fileSizeMax < 1) settings_.fileSizeMax = kFileSizeMaxDefault;
}

void MainController::timerFired() {
    if (!timerEnabled_) return;
    timerEnabled_ = false;
    executeCommandLine();
    if (commandWord == "SAVE" || commandWord == "RESTORE") endProgram();
}

bool MainController::executeCommandLine() {
    if (commandWord == "SAVE") {
        pressCommand(CommandId::ProjectSave);
    } else if (commandWord == "RESTORE") {
        const RestoreTarget target = splitRestoreFile(restoreFile);
        std::string folder = target.directory.empty() ? txtDirectoryName_ : target.directory;
        if (actions_.projectSearch(*this, folder, target.fileName)) {
            pressCommand(CommandId::DesktopRestore);
            if (lblInfo_.foreColor == kColorRed || lblInfoMonitore_.foreColor == kColorRed) commandWord = "RESTOREERR";
        }
    } else if (!openFile.empty()) {
        openProject();
    } else {
        searchProjects();
    }
    return true;
}

void MainController::openProject() {
    const RestoreTarget target = splitRestoreFile(openFile);
    std::string folder = target.directory.empty() ? txtDirectoryName_ + "\\" : target.directory;
    const auto attributes = platform_.files.attributes(folder + target.fileName);
    if (!attributes || (*attributes & kAttrDirectory)) {
        MessageBoxRequest q;
        q.title = "Plenvik";
        q.text = "Die Projektdatei wurde nicht gefunden:\r\n\r\n" + folder + target.fileName;
        q.icon = MsgIcon::Exclamation;
        platform_.dialogs.messageBox(q);
        searchProjects();
        return;
    }
    // The directory box shows folders without their closing backslash, except a drive's root.
    if (folder.size() > 3 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    setDirectory(folder, true);
    searchProjects();
    actions_.showProject(*this, target.fileName);
}

void MainController::searchProjects() {
    if (lists.projects.find("LOAD") < 0) lists.projects.add("LOAD", "(laden...)");
    setCommandEnabled(CommandId::DesktopRestore, false);
    std::string folder = txtDirectoryName_;
    actions_.projectSearch(*this, folder, "");
}

void MainController::directoryEntered(const std::string& text) {
    setDirectory(text, false);
    if (longActionRunning()) {
        directorySearchWaits_ = true;
        return;
    }
    searchProjects();
    setDirectory(text, true);
}

void MainController::directoryLeft(const std::string& text) {
    setDirectory(text, false);
    if (longActionRunning()) {
        directorySearchWaits_ = directorySearchWaits_ || text != txtDirectoryNameTag_;
        return;
    }
    if (text != txtDirectoryNameTag_) searchProjects();
    setDirectory(text, true);
}

void MainController::endProgram() {
    if (ended_) return;
    ended_ = true;
    unload();
    if (view_) view_->closeWindow();
}

bool MainController::requestClose() {
    if (longActionRunning()) {
        for (const auto& c : commands_)
            if (c.longRunning && c.tag == "RUN") askCancel(actionName(c.id));
        if (program_.cancel) closeAfterRun_ = true;
        return false;
    }
    if (!ended_) {
        ended_ = true;
        unload();
    }
    return true;
}

void MainController::unload() {
    if (protocol_ && view_) view_->protocolDestroyed();
    protocol_.reset();
    endProgress();
    current_ = CurrentDesktop{};
    shownProject_.reset();
    lists.projects.clear();
    lists.clearProjectData();
}

const CommandLabel& MainController::command(CommandId id) const {
    for (const auto& c : commands_)
        if (c.id == id) return c;
    throw std::logic_error("unknown command");
}

CommandLabel& MainController::mutableCommand(CommandId id) { return const_cast<CommandLabel&>(command(id)); }

void MainController::commandChanged(CommandId id) {
    if (view_) view_->commandChanged(id);
}

void MainController::setCommandEnabled(CommandId id, bool enabled) {
    mutableCommand(id).enabled = enabled;
    commandChanged(id);
}

bool MainController::longActionRunning() const {
    for (const auto& c : commands_)
        if (c.longRunning && c.tag == "RUN") return true;
    return false;
}

void MainController::commandMouseDown(CommandId id, MouseButton button) {
    CommandLabel& c = mutableCommand(id);
    if (button != MouseButton::Left || c.tag != "" || !c.enabled) return;
    // A second action must not run inside a running save or restore: they share the window's tables.
    if (longActionRunning() && id != CommandId::Protokoll) return;
    c.tag = "DOWN";
    c.pressedLook = true;
    commandChanged(id);
}

void MainController::commandMouseUp(CommandId id, MouseButton button) {
    if (button != MouseButton::Left) return;
    CommandLabel& c = mutableCommand(id);
    if (c.tag == "DOWN") {
        runAsCommand(id, [&] { runAction(id); });
    } else if (c.tag == "RUN" && c.longRunning) {
        askCancel(actionName(id));
    }
}

void MainController::commandReleasedOutside(CommandId id) {
    CommandLabel& c = mutableCommand(id);
    if (c.tag != "DOWN") return;
    c.tag = "";
    c.pressedLook = false;
    commandChanged(id);
}

bool MainController::runAsCommand(CommandId id, const std::function<void()>& work) {
    CommandLabel& c = mutableCommand(id);
    if (c.tag == "RUN") return false;
    c.tag = "RUN";
    if (c.longRunning) c.caption = kCancelCaption;
    commandChanged(id);
    {
        struct Restore {
            MainController& form;
            CommandId id;
            ~Restore() {
                CommandLabel& done = form.mutableCommand(id);
                done.caption = done.defaultCaption;
                done.pressedLook = false;
                done.tag = "";
                form.commandChanged(id);
            }
        } restore{*this, id};
        work();
    }
    if (closeAfterRun_ && !longActionRunning()) {
        closeAfterRun_ = false;
        endProgram();
    } else if (directorySearchWaits_ && !longActionRunning()) {
        directorySearchWaits_ = false;
        directoryEntered(txtDirectoryName_);
    }
    return true;
}

void MainController::pressCommand(CommandId id) {
    CommandLabel& c = mutableCommand(id);
    if (c.tag != "") return;
    c.tag = "DOWN";
    commandChanged(id);
    commandMouseUp(id, MouseButton::Left);
}

void MainController::askCancel(const std::string& name) {
    MessageBoxRequest q;
    q.title = " Aktion abbrechen...";
    q.text = "Achtung, möchten Sie die laufende Aktion:\r\n\r\n" + name + "\r\n\r\n                    abbrechen?";
    q.buttons = MsgButtons::YesNo;
    q.icon = MsgIcon::Critical;
    if (platform_.dialogs.messageBox(q) == MsgAnswer::Yes) program_.cancel = true;
}

void MainController::runAction(CommandId id) {
    switch (id) {
    case CommandId::ProjectSave: actions_.save(*this); break;
    case CommandId::DesktopRestore: actions_.restore(*this, false, true); break;
    case CommandId::ChangeDesktopSettings: actions_.desktopSettings(*this); break;
    case CommandId::Settings: actions_.settings(*this); break;
    case CommandId::Protokoll: showProtocol(); break;
    case CommandId::DirChoose: actions_.chooseDirectory(*this); break;
    case CommandId::Close: endProgram(); break;
    }
}

Menu& MainController::menu(MenuId id) { return menus_.at(static_cast<std::size_t>(id)); }

void MainController::menuClick(MenuId id, int index) {
    const MenuItem* item = menu(id).item(index);
    if (!item || !item->enabled || item->separator()) return;
    switch (id) {
    case MenuId::Project:
        if (longActionRunning()) return;
        // The runs of the menu count as the restore command's: cancel and closing treat them alike.
        if (index >= 1 && index <= 3)
            runAsCommand(CommandId::DesktopRestore, [&] { actions_.restore(*this, index == 1, index != 3); });
        else if (index == 6)
            pressCommand(CommandId::ProjectSave);
        else if (index == 7)
            actions_.deleteProject(*this);
        break;
    case MenuId::Icon:
        // The repair waits for the desktop and lets events run: it blocks the other runs meanwhile.
        if (!longActionRunning()) runAsCommand(CommandId::DesktopRestore, [&] { actions_.iconMenu(*this, index); });
        break;
    case MenuId::Help:
        if (index == 3 && view_)
            view_->showAbout();
        else if (index == 4)
            platform_.processes.shellOpen(program_.webAddress);
        break;  // "HTML Hilfe aufrufen" has no action
    }
}

void MainController::imgMainClick() {
    if (view_) view_->popupMenu(MenuId::Help);
}

// While a save or restore runs, the list only lets Escape through (to cancel): showing another row
// would refill the tables the run works on.
void MainController::projectListMouseUp(MouseButton button, int row) {
    if (!longActionRunning()) actions_.projectListMouseUp(*this, button, row);
}

void MainController::projectListDeselected() {
    // While a row is shown or a run works, the list keeps its selection: the view shows it again.
    if (projectListTag.empty() && !longActionRunning())
        lists.projects.clearSelection();
    else
        lists.projects.select(lists.projects.selectedIndex());
}

void MainController::projectListKeyUp(int keyCode) {
    constexpr int kKeyEscape = 27;
    if (!longActionRunning() || keyCode == kKeyEscape) actions_.projectListKeyUp(*this, keyCode);
}

void MainController::setInfo(const std::string& text) {
    lblInfo_.text = text;
    if (view_) view_->statusChanged();
}
void MainController::setInfoColor(std::uint32_t color) {
    lblInfo_.foreColor = color;
    if (view_) view_->statusChanged();
}
void MainController::setMonitorInfo(const std::string& text) {
    lblInfoMonitore_.text = text;
    if (view_) view_->statusChanged();
}
void MainController::setMonitorInfoColor(std::uint32_t color) {
    lblInfoMonitore_.foreColor = color;
    if (view_) view_->statusChanged();
}

void MainController::setDirectory(const std::string& text, bool alsoTag) {
    txtDirectoryName_ = text;
    if (alsoTag) txtDirectoryNameTag_ = text;
    if (view_) view_->directoryChanged();
}

Protocol& MainController::ensureProtocol() {
    if (!protocol_) {
        protocol_ = std::make_unique<Protocol>(platform_.clock, platform_.locale, platform_.events);
        if (view_) view_->protocolCreated(*protocol_);
    }
    return *protocol_;
}

void MainController::startProtocol(const std::string& title) {
    setCommandEnabled(CommandId::Protokoll, true);
    ensureProtocol().add(title, "", true, false);
}

void MainController::addToProtocol(const std::string& text) {
    // Logging before the first start would find no window; it makes one instead of failing.
    ensureProtocol().add(text, "", false, false);
}

void MainController::closeProtocol(const std::string& result) {
    ensureProtocol().close(result);
    mutableCommand(CommandId::Protokoll).foreColor = kColorRgbBlue;
    commandChanged(CommandId::Protokoll);
}

void MainController::showProtocol() {
    ensureProtocol();
    if (view_) view_->showProtocol();
}

void MainController::startProgress(long maximum) {
    endProgress();
    progressBar_ = std::make_unique<ProgressBar>();
    const std::uintptr_t target = view_ ? view_->progressBarTarget() : 0;
    progressBar_->initialize(mainWindowProgressBar(target, ProgressFont{}, maximum));
    if (view_) view_->progressBarCreated(*progressBar_);
    progressBar_->Paint();
}

void MainController::endProgress() {
    if (!progressBar_) return;
    if (view_) view_->progressBarRemoved();
    progressBar_.reset();
}

void MainController::setProgress(long value) {
    if (progressBar_) progressBar_->value(value);
}

void MainController::setBusyCursor(bool busy) {
    if (view_) view_->setBusyCursor(busy);
}

void MainController::pumpEvents() { platform_.events.pump(); }

}  // namespace plenvik
