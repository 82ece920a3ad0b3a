#include "fake_platform.h"

#include <algorithm>

namespace fakes {

int FakeMessageBox::show(const std::string& prompt, int style, const std::string& title) {
    shown.push_back({prompt, style, title});
    if (whileShown) {
        whileShown();
    }
    if (!answers.empty()) {
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return (style & 0x0F) == platform::MsgBoxStyle::YesNo ? platform::MsgBoxResult::Yes
                                                          : platform::MsgBoxResult::OK;
}

std::string FakeSettingsStore::address(const std::string& application, const std::string& section,
                                       const std::string& key) {
    return application + "|" + section + "|" + key;
}

std::string FakeSettingsStore::getSetting(const std::string& application,
                                          const std::string& section, const std::string& key,
                                          const std::string& defaultValue) {
    if (failReads) {
        throw platform::RuntimeError(5, "settings store unavailable");
    }
    const auto found = values.find(address(application, section, key));
    return found != values.end() ? found->second : defaultValue;
}

void FakeSettingsStore::saveSetting(const std::string& application, const std::string& section,
                                    const std::string& key, const std::string& value) {
    values[address(application, section, key)] = value;
    savedKeys.push_back(key);
}

std::string FakeProgramLocation::programDirectory() {
    if (fail) {
        throw platform::RuntimeError(5, "program directory unknown");
    }
    return directory;
}

std::string FakeTextFiles::readBytes(const std::string& path) {
    if (unreadable.count(path) != 0) {
        throw platform::RuntimeError(platform::ErrorNumber::PathFileAccess, "Permission denied");
    }
    const auto found = files.find(path);
    if (found == files.end()) {
        throw platform::RuntimeError(platform::ErrorNumber::FileNotFound, "No such file");
    }
    return found->second;
}

void FakeTextFiles::replaceBytes(const std::string& path, const std::string& bytes) {
    if (readOnly.count(path) != 0) {
        throw platform::RuntimeError(platform::ErrorNumber::PathFileAccess, "Permission denied");
    }
    if (writeFailure) {
        throw *writeFailure;
    }
    files[path] = bytes;
}

std::string FakeCodePage::encode(std::string_view utf8, const std::string&) {
    return std::string(utf8);
}

std::string FakeCodePage::decode(std::string_view bytes, const std::string&) {
    return std::string(bytes);
}

void FakeMenuBar::addMenu(const std::string& name, const std::string& caption) {
    entries.push_back({"", name, caption, false, true, nullptr});
}

void FakeMenuBar::addItem(const std::string& menuName, const std::string& name,
                          const std::string& caption, Handler handler) {
    entries.push_back({menuName, name, caption, false, false, std::move(handler)});
}

void FakeMenuBar::addSeparator(const std::string& menuName, const std::string& name) {
    entries.push_back({menuName, name, "-", true, false, nullptr});
}

void FakeMenuBar::addCommand(const std::string& name, const std::string& caption,
                             Handler handler) {
    entries.push_back({"", name, caption, false, false, std::move(handler)});
}

const FakeMenuBar::Entry* FakeMenuBar::find(const std::string& name) const {
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [&](const Entry& entry) { return entry.name == name; });
    return found != entries.end() ? &*found : nullptr;
}

void FakeStatusBar::addPanel(const platform::PanelSpec& spec) { panels.push_back(spec); }

void FakeStatusBar::setPanelText(int index, const std::string& text) { texts[index] = text; }

std::string FakeStatusBar::panelText(int index) {
    const auto found = texts.find(index);
    return found != texts.end() ? found->second : std::string();
}

bool FakeDocumentHost::closeAllDocuments() {
    while (!agreesToClose.empty()) {
        ++closeAttempts;
        if (!agreesToClose.front()) {
            return false;
        }
        agreesToClose.erase(agreesToClose.begin());
    }
    return true;
}

void FakeMainWindow::set(int index, float twips) {
    if (twips < -largestCoordinate || twips > largestCoordinate) {
        throw platform::RuntimeError(platform::ErrorNumber::InvalidPropertyValue,
                                     "Invalid property value");
    }
    bounds[index] = twips;
}

void FakeMainWindow::show() {
    if (showCount++ == 0 && events != nullptr) {
        events->MDIForm_Load();
    }
    visible = true;
}

void FakeMainWindow::close() {
    if (events == nullptr || events->MDIForm_QueryClose()) {
        closed = true;
        visible = false;
    }
}

void FakeSettingsDialog::showModal() {
    ++showings;
    events->Form_Load();
    open = true;
    if (!userActions.empty()) {
        auto action = std::move(userActions.front());
        userActions.pop_front();
        action(*this);
    }
}

void FakeSettingsDialog::close() {
    bool cancel = false;
    events->Form_Unload(cancel);
    if (cancel) {
        ++refusedCloses;
    } else {
        open = false;
    }
}

std::unique_ptr<platform::MainWindowView> FakeWindowFactory::createMainWindow() {
    auto window = std::make_unique<FakeMainWindow>();
    mainWindow = window.get();
    if (prepareMainWindow) {
        prepareMainWindow(*window);
    }
    return window;
}

std::unique_ptr<platform::SettingsDialogView> FakeWindowFactory::createSettingsDialog() {
    auto dialog = std::make_unique<FakeSettingsDialog>();
    settingsDialog = dialog.get();
    ++settingsDialogsCreated;
    dialog->userActions = std::move(dialogActions);
    dialogActions.clear();
    return dialog;
}

} // namespace fakes
