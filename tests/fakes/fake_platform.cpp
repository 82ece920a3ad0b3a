// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "fake_platform.h"

#include "toolchain/console_launch.h"

#include <algorithm>
#include <new>

#include <gtest/gtest.h>

namespace {

// A bug the program runs into fails the test that ran into it, instead of being logged.
const bool bugsFailTests = [] {
    platform::bugHandler = [](const std::exception& bug) {
        ADD_FAILURE() << "bug: " << bug.what();
    };
    return true;
}();

} // namespace

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

std::vector<std::string> FakeMessageBox::prompts() const {
    std::vector<std::string> result;
    for (const Shown& box : shown) {
        result.push_back(box.prompt);
    }
    return result;
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

bool FakeProgramLocation::exists(const std::string& path) {
    return directories.count(path) != 0 || (files != nullptr && files->count(path) != 0);
}

bool FakeProgramLocation::canWriteIn(const std::string& directory) {
    return readOnly.count(directory) == 0;
}

void FakeProgramLocation::createDirectory(const std::string& directory) {
    if (readOnly.count(directory) != 0) {
        throw platform::RuntimeError(platform::ErrorNumber::PathFileAccess,
                                     "Read-only file system");
    }
    created.push_back(directory);
    directories.insert(directory);
}

std::string FakeProgramLocation::findOnSearchPath(const std::string& name) {
    const auto found = searchPath.find(name);
    return found != searchPath.end() ? found->second : std::string();
}

namespace {

class LimitedTextStore : public platform::StringTextStore {
public:
    LimitedTextStore(std::size_t capacity, std::vector<std::size_t>& reservations)
        : capacity_(capacity), reservations_(reservations) {}
    void reserve(std::size_t bytes) override {
        reservations_.push_back(bytes);
        check(bytes);
        StringTextStore::reserve(bytes);
    }
    void append(std::string_view text) override {
        size_ += text.size();
        check(size_);
        StringTextStore::append(text);
    }
    void clear() override {
        size_ = 0;
        StringTextStore::clear();
    }

private:
    void check(std::size_t bytes) const {
        if (bytes > capacity_) {
            throw std::bad_alloc();
        }
    }
    std::size_t capacity_;
    std::vector<std::size_t>& reservations_;
    std::size_t size_ = 0;
};

} // namespace

std::string FakeCodePage::encode(std::string_view utf8, const std::string& encoding) {
    if (encoding == "ASCII" &&
        std::any_of(utf8.begin(), utf8.end(), [](char c) { return (c & 0x80) != 0; })) {
        throw platform::ConversionFailure::unstorable(encoding);
    }
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

void FakeMenuBar::addCommand(const std::string& name, const std::string& caption, Handler handler) {
    entries.push_back({"", name, caption, false, false, std::move(handler)});
}

const FakeMenuBar::Entry* FakeMenuBar::find(const std::string& name) const {
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [&](const Entry& entry) { return entry.name == name; });
    return found != entries.end() ? &*found : nullptr;
}

void FakeStatusBar::addPanel(const platform::PanelSpec& spec) {
    panels.push_back(spec);
}

void FakeStatusBar::setPanelText(int index, const std::string& text) {
    texts[index] = text;
}

std::string FakeStatusBar::panelText(int index) {
    const auto found = texts.find(index);
    return found != texts.end() ? found->second : std::string();
}

std::string FakeTextControl::text() {
    if (outOfMemory) {
        throw std::bad_alloc();
    }
    return content;
}

void FakeTextControl::setText(const std::string& text) {
    if (outOfMemory) {
        throw std::bad_alloc();
    }
    content = text;
    selStart = 0;
    selLengthValue = 0;
    ++changes;
    if (events != nullptr) {
        events->txtEdit_Change();
    }
}

void FakeTextControl::setSelText(const std::string& text) {
    const bool changing = !text.empty() || selLengthValue != 0;
    content.replace(selStart, selLengthValue, text);
    selStart += text.size();
    selLengthValue = 0;
    if (changing) {
        ++changes;
        if (events != nullptr) {
            events->txtEdit_Change();
        }
    }
}

platform::CaretPosition FakeTextControl::selStartPosition() {
    platform::CaretPosition position;
    for (std::size_t i = 0; i < selStart; ++i) {
        if (content[i] == '\n') {
            ++position.line;
            position.column = 0;
        } else {
            ++position.column;
        }
    }
    return position;
}

void FakeTextControl::setSelFontSize(double points) {
    if (points < smallestSize) {
        throw platform::RuntimeError(platform::ErrorNumber::InvalidPropertyValue,
                                     "Invalid property value");
    }
    size = points;
}

FakeDocumentWindow::~FakeDocumentWindow() {
    host.forget(this);
    ++host.destroyed;
}

void FakeDocumentWindow::show() {
    shown = true;
    host.active = this;
    events->Form_Resize();
}

void FakeDocumentWindow::bringToFront() {
    host.active = this;
}

void FakeDocumentWindow::resize(float width, float height) {
    size[0] = width;
    size[1] = height;
    events->Form_Resize();
}

bool FakeDocumentWindow::close() {
    bool cancel = false;
    events->Form_Unload(cancel);
    if (cancel) {
        return false;
    }
    host.closedCaptions.push_back(captionText);
    host.forget(this);
    events->Form_Closed();
    return true;
}

void FakeDocumentHost::forget(FakeDocumentWindow* window) {
    std::erase(open, window);
    if (active == window) {
        active = open.empty() ? nullptr : open.back();
    }
}

bool FakeDocumentHost::closeAllDocuments() {
    const std::vector<FakeDocumentWindow*> windows = open;
    for (FakeDocumentWindow* window : windows) {
        if (!window->close()) {
            return false;
        }
    }
    return true;
}

std::unique_ptr<platform::DocumentWindowView> FakeDocumentHost::createDocumentWindow() {
    auto window = std::make_unique<FakeDocumentWindow>(*this);
    window->edit.outOfMemory = newWindowsOutOfMemory;
    open.push_back(window.get());
    ++created;
    return window;
}

std::unique_ptr<platform::TextStore> FakeDocumentHost::createTextStore() {
    return std::make_unique<LimitedTextStore>(storeCapacity, reservations);
}

FakeDocumentWindow* FakeDocumentHost::find(const std::string& caption) const {
    for (FakeDocumentWindow* window : open) {
        if (window->captionText == caption) {
            return window;
        }
    }
    return nullptr;
}

std::optional<std::string> FakeFileDialogs::answer(bool save,
                                                   const platform::FileDialogRequest& request) {
    shown.push_back({save, request});
    if (answers.empty()) {
        return std::nullopt;
    }
    auto chosen = answers.front();
    answers.pop_front();
    return chosen;
}

std::optional<std::string> FakeFileDialogs::showOpen(const platform::FileDialogRequest& request) {
    return answer(false, request);
}

std::optional<std::string> FakeFileDialogs::showSave(const platform::FileDialogRequest& request) {
    return answer(true, request);
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

void FakeMainWindow::runPendingWork() {
    while (!pendingWork.empty()) {
        auto work = std::move(pendingWork.front());
        pendingWork.erase(pendingWork.begin());
        work();
    }
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

bool FakeProcessStart::start(const platform::StartRequest& request) {
    if (refuse) {
        return false;
    }
    started.push_back(request);
    return true;
}

std::optional<std::string> FakeSystemEnvironment::variable(const std::string& name) {
    const auto found = variables.find(name);
    return found == variables.end() ? std::nullopt : std::optional<std::string>(found->second);
}

bool FakeSystemEnvironment::isOnSearchPath(const std::string& program) {
    return onSearchPath.count(program) != 0;
}

bool FakeSystemEnvironment::isExecutableFile(const std::string& path) {
    return executables.count(path) != 0;
}

bool FakeSystemEnvironment::isDirectory(const std::string& path) {
    return missingDirectories.count(path) == 0;
}

void FakePrivateFiles::preparePrivateFolder(const std::string& folder) {
    if (failure) {
        throw *failure;
    }
    folders.insert(folder);
}

void FakePrivateFiles::createPrivateFile(const std::string& path, const std::string& bytes) {
    if (failure) {
        throw *failure;
    }
    if (!files.emplace(path, bytes).second) {
        throw platform::RuntimeError(platform::ErrorNumber::PathFileAccess, "File exists");
    }
}

void FakePrivateFiles::remove(const std::string& path) {
    files.erase(path);
}

std::string FakePrivateFiles::randomBytes(std::size_t count) {
    ++draws;
    return std::string(count, static_cast<char>(draws));
}

std::vector<FakePlatform::Console> FakePlatform::consoles() const {
    std::vector<Console> result;
    for (const platform::StartRequest& request : processes.started) {
        const std::string& token = request.argv.back();
        if (request.argv.size() < 3 || !toolchain::isLaunchToken(token)) {
            continue;
        }
        const std::string path = toolchain::launchFilePath(
            toolchain::launchFolder(
                environment.variables.count("XDG_RUNTIME_DIR") != 0
                    ? std::optional<std::string>(environment.variables.at("XDG_RUNTIME_DIR"))
                    : std::nullopt,
                environment.user),
            token);
        const auto file = privateFiles.files.find(path);
        if (file == privateFiles.files.end()) {
            continue;
        }
        if (auto launch = toolchain::readLaunchFileText(file->second)) {
            result.push_back({launch->scriptPath, launch->workingDirectory, launch->title});
        }
    }
    return result;
}

std::vector<std::vector<std::string>> FakePlatform::programsStarted() const {
    std::vector<std::vector<std::string>> result;
    for (const platform::StartRequest& request : processes.started) {
        if (!toolchain::isLaunchToken(request.argv.back())) {
            result.push_back(request.argv);
        }
    }
    return result;
}

void FakeAboutBox::showModal() {
    ++showings;
    open = true;
    events->Form_Load();
    if (whileOpen) {
        whileOpen(*this);
    } else {
        events->cmdOK_Click();
    }
}

std::unique_ptr<platform::AboutBoxView> FakeWindowFactory::createAboutBox() {
    auto box = std::make_unique<FakeAboutBox>();
    aboutBox = box.get();
    ++aboutBoxesCreated;
    return box;
}

std::string FakeClipboard::text() {
    if (fail) {
        throw platform::RuntimeError(5, "clipboard unavailable");
    }
    return content;
}

void FakeClipboard::setText(const std::string& text) {
    if (fail) {
        throw platform::RuntimeError(5, "clipboard unavailable");
    }
    content = text;
    ++writes;
}

bool FakeMainWindow::runStepwise(const platform::ProgressRequest& request,
                                 platform::StepwiseWork& work) {
    progressRequests.push_back(request);
    for (int done = 0;; ++done) {
        if (done == cancelAfterSteps) {
            return false;
        }
        ++steps;
        if (!work.step()) {
            return true;
        }
    }
}

} // namespace fakes
