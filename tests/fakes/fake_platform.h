// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "fake_text_files.h"
#include "platform/about_box_view.h"
#include "platform/clipboard.h"
#include "platform/document_host.h"
#include "platform/document_window_view.h"
#include "platform/error.h"
#include "platform/file_dialog.h"
#include "platform/main_window_view.h"
#include "platform/menu_bar.h"
#include "platform/process_start.h"
#include "platform/services.h"
#include "platform/status_bar.h"
#include "platform/text_control.h"
#include "platform/tool_bar.h"

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace fakes {

// Records every box and answers from a queue (OK, or Yes for a question, when it runs dry).
class FakeMessageBox : public platform::MessageBox {
public:
    struct Shown {
        std::string prompt;
        int style;
        std::string title;
    };
    int show(const std::string& prompt, int style, const std::string& title) override;
    // The prompts of the boxes shown, in order.
    std::vector<std::string> prompts() const;

    std::vector<Shown> shown;
    std::deque<int> answers;
    // Runs inside the box, as the nested event loop of a modal box would.
    std::function<void()> whileShown;
};

class FakeSettingsStore : public platform::SettingsStore {
public:
    std::string getSetting(const std::string& application, const std::string& section,
                           const std::string& key, const std::string& defaultValue) override;
    void saveSetting(const std::string& application, const std::string& section,
                     const std::string& key, const std::string& value) override;

    static std::string address(const std::string& application, const std::string& section,
                               const std::string& key);
    std::map<std::string, std::string> values; // by address
    std::vector<std::string> savedKeys;        // in the order they were saved
    bool failReads = false;
};

// A program folder that can be written, unless listed in readOnly; files known to it are those
// in the FakeTextFiles it is given.
class FakeProgramLocation : public platform::ProgramLocation {
public:
    std::string programDirectory() override;
    char directorySeparator() override { return separator; }
    bool exists(const std::string& path) override;
    bool canWriteIn(const std::string& directory) override;
    void createDirectory(const std::string& directory) override;
    std::string userConfigDirectory() override { return configDirectory; }
    std::string findOnSearchPath(const std::string& name) override;

    std::string directory = "/opt/morvane";
    char separator = '/';
    bool fail = false;
    const std::map<std::string, std::string>* files = nullptr;
    std::set<std::string> readOnly;
    std::set<std::string> directories;
    std::vector<std::string> created;
    std::string configDirectory = "/home/u/.config";
    std::map<std::string, std::string> searchPath; // program name -> resolved path
};

// UTF-8 through and through, like the tests' C.UTF-8 locale; or, once the system's encoding is
// set to "ASCII", a code page that holds nothing beyond ASCII and refuses the rest.
class FakeCodePage : public platform::CodePage {
public:
    std::string systemEncoding() override { return system; }
    std::string encode(std::string_view utf8, const std::string& encoding) override;
    std::string decode(std::string_view bytes, const std::string& encoding) override;

    std::string system = "UTF-8";
};

class FakeMenuBar : public platform::MenuBar {
public:
    struct Entry {
        std::string menu; // empty for entries on the bar
        std::string name;
        std::string caption;
        bool separator = false;
        bool dropDown = false;
        Handler handler;
    };
    void addMenu(const std::string& name, const std::string& caption) override;
    void addItem(const std::string& menuName, const std::string& name, const std::string& caption,
                 Handler handler) override;
    void addSeparator(const std::string& menuName, const std::string& name) override;
    void addCommand(const std::string& name, const std::string& caption, Handler handler) override;

    const Entry* find(const std::string& name) const;
    std::vector<Entry> entries;
};

class FakeStatusBar : public platform::StatusBar {
public:
    void addPanel(const platform::PanelSpec& spec) override;
    void setPanelText(int index, const std::string& text) override;
    std::string panelText(int index) override;

    std::vector<platform::PanelSpec> panels;
    std::map<int, std::string> texts;
};

// An edit control over a plain string; the selection counts bytes of the UTF-8 text.
class FakeTextControl : public platform::TextControl {
public:
    void setEvents(platform::TextControlEvents* events) override { this->events = events; }
    std::string text() override;
    void setText(const std::string& text) override;
    void adoptText(platform::TextStore& store) override { setText(store.takeText()); }
    std::string selText() override { return content.substr(selStart, selLengthValue); }
    void setSelText(const std::string& text) override;
    long long selLength() override { return static_cast<long long>(selLengthValue); }
    platform::CaretPosition selStartPosition() override;
    std::optional<bool> selBold() override { return bold; }
    void setSelBold(bool on) override { bold = on; }
    std::optional<bool> selItalic() override { return italic; }
    void setSelItalic(bool on) override { italic = on; }
    std::optional<bool> selUnderline() override { return underline; }
    void setSelUnderline(bool on) override { underline = on; }
    std::optional<double> selFontSize() override { return size; }
    void setSelFontSize(double points) override;
    double fontSize() override { return baseSize; }
    bool overwriteMode() override { return overwrite; }

    // Types text at the caret, as the user would.
    void type(const std::string& text) { setSelText(text); }
    void select(std::size_t start, std::size_t length) {
        selStart = start;
        selLengthValue = length;
    }

    platform::TextControlEvents* events = nullptr;
    std::string content;
    std::size_t selStart = 0;
    std::size_t selLengthValue = 0;
    std::optional<bool> bold = false, italic = false, underline = false;
    std::optional<double> size = 15;
    double baseSize = 15;
    double smallestSize = 1;
    bool overwrite = false;
    int changes = 0;
    // Copying the text out or in runs out of memory (std::bad_alloc).
    bool outOfMemory = false;
};

class FakeDocumentHost;

class FakeDocumentWindow : public platform::DocumentWindowView {
public:
    explicit FakeDocumentWindow(FakeDocumentHost& host) : host(host) {}
    ~FakeDocumentWindow() override;
    void setEvents(platform::DocumentWindowEvents* events) override { this->events = events; }
    std::string caption() override { return captionText; }
    void setCaption(const std::string& caption) override { captionText = caption; }
    float width() override { return size[0]; }
    float height() override { return size[1]; }
    void setTextControlBounds(float left, float top, float width, float height) override {
        textBounds[0] = left;
        textBounds[1] = top;
        textBounds[2] = width;
        textBounds[3] = height;
    }
    platform::TextControl& textControl() override { return edit; }
    void show() override;
    void bringToFront() override;
    bool close() override;
    // A new size, as the user dragging the border.
    void resize(float width, float height);

    FakeDocumentHost& host;
    platform::DocumentWindowEvents* events = nullptr;
    std::string captionText;
    float size[2] = {6000, 4000};
    float textBounds[4] = {-1, -1, -1, -1};
    FakeTextControl edit;
    bool shown = false;
};

// The document windows in the order they were opened; the last shown one is active.
class FakeDocumentHost : public platform::DocumentHost {
public:
    bool closeAllDocuments() override;
    std::unique_ptr<platform::DocumentWindowView> createDocumentWindow() override;
    // A store in a string that holds at most storeCapacity bytes, beyond which it runs out of
    // memory.
    std::unique_ptr<platform::TextStore> createTextStore() override;
    platform::DocumentWindowView* activeDocument() override { return active; }

    // The open window captioned so, or none.
    FakeDocumentWindow* find(const std::string& caption) const;
    void forget(FakeDocumentWindow* window);

    std::vector<FakeDocumentWindow*> open;
    FakeDocumentWindow* active = nullptr;
    std::vector<std::string> closedCaptions;
    int created = 0;
    // Windows the program has let go of.
    int destroyed = 0;
    // The edit controls of windows made from now on run out of memory.
    bool newWindowsOutOfMemory = false;
    std::size_t storeCapacity = std::string().max_size();
    // The room each store was asked to make, in order.
    std::vector<std::size_t> reservations;
};

// Answers each dialog from a queue (a cancel when it runs dry) and records what it was asked.
class FakeFileDialogs : public platform::FileDialogs {
public:
    struct Shown {
        bool save;
        platform::FileDialogRequest request;
    };
    std::optional<std::string> showOpen(const platform::FileDialogRequest& request) override;
    std::optional<std::string> showSave(const platform::FileDialogRequest& request) override;

    std::vector<Shown> shown;
    std::deque<std::optional<std::string>> answers;

private:
    std::optional<std::string> answer(bool save, const platform::FileDialogRequest& request);
};

class FakeToolBar : public platform::ToolBar {
public:
    void setImages(const std::vector<platform::ToolImage>& images) override {
        this->images = images;
    }
    void addButton(const platform::ToolButtonSpec& button) override { buttons.push_back(button); }
    void setClickHandler(ClickHandler handler) override { click = std::move(handler); }

    std::vector<platform::ToolImage> images;
    std::vector<platform::ToolButtonSpec> buttons;
    ClickHandler click;
};

class FakeMainWindow : public platform::MainWindowView {
public:
    void setEvents(platform::MainWindowEvents* events) override { this->events = events; }
    float left() override { return bounds[0]; }
    float top() override { return bounds[1]; }
    float width() override { return bounds[2]; }
    float height() override { return bounds[3]; }
    void setLeft(float twips) override { set(0, twips); }
    void setTop(float twips) override { set(1, twips); }
    void setWidth(float twips) override { set(2, twips); }
    void setHeight(float twips) override { set(3, twips); }
    platform::WindowState windowState() override { return state; }
    std::string caption() override { return captionText; }
    void setCaption(const std::string& caption) override { captionText = caption; }
    platform::MenuBar& menuBar() override { return menus; }
    platform::StatusBar& statusBar() override { return status; }
    platform::ToolBar& toolBar() override { return tools; }
    platform::DocumentHost& documents() override { return documentHost; }
    void show() override;
    void close() override;
    // Runs the steps; the user cancels after cancelAfterSteps of them when it is not negative.
    bool runStepwise(const platform::ProgressRequest& request,
                     platform::StepwiseWork& work) override;
    // Kept until the test, standing for the event loop, runs it with runPendingWork.
    void runSoon(std::function<void()> work) override { pendingWork.push_back(std::move(work)); }
    void runPendingWork();

    platform::MainWindowEvents* events = nullptr;
    float bounds[4] = {0, 0, 0, 0};
    float largestCoordinate = 491505; // beyond this a setter refuses the value
    platform::WindowState state = platform::WindowState::Normal;
    std::string captionText;
    FakeMenuBar menus;
    FakeStatusBar status;
    FakeToolBar tools;
    FakeDocumentHost documentHost;
    int showCount = 0;
    std::vector<platform::ProgressRequest> progressRequests;
    int steps = 0;
    int cancelAfterSteps = -1;
    bool closed = false;
    bool visible = false;
    std::vector<std::function<void()>> pendingWork;

private:
    void set(int index, float twips);
};

class FakeSettingsDialog : public platform::SettingsDialogView {
public:
    void setEvents(platform::SettingsDialogEvents* events) override { this->events = events; }
    void layOut(const platform::FormLayout& layout) override { this->layout = layout; }
    std::string text1() override { return text1Value; }
    void setText1(const std::string& text) override { text1Value = text; }
    std::string text2() override { return text2Value; }
    void setText2(const std::string& text) override { text2Value = text; }
    void setLabel1(const std::string& caption) override { label1 = caption; }
    void setLabel2(const std::string& caption) override { label2 = caption; }
    void showModal() override;
    void close() override;

    platform::SettingsDialogEvents* events = nullptr;
    platform::FormLayout layout;
    std::string text1Value, text2Value, label1, label2;
    // The user's actions while the dialog is open; each showing takes the next one.
    std::deque<std::function<void(FakeSettingsDialog&)>> userActions;
    bool open = false;
    int showings = 0;
    int refusedCloses = 0;
};

class FakeAboutBox : public platform::AboutBoxView {
public:
    void setEvents(platform::AboutBoxEvents* events) override { this->events = events; }
    void layOut(const platform::FormLayout& layout) override { this->layout = layout; }
    void setLabel(const std::string& name, const std::string& text) override {
        labels[name] = text;
    }
    std::string label(const std::string& name) override { return labels[name]; }
    void showModal() override;
    void close() override { open = false; }

    platform::AboutBoxEvents* events = nullptr;
    platform::FormLayout layout;
    std::map<std::string, std::string> labels;
    bool open = false;
    int showings = 0;
    // What the user does while the box is open; the default presses OK.
    std::function<void(FakeAboutBox&)> whileOpen;
};

class FakeClipboard : public platform::Clipboard {
public:
    std::string text() override;
    void setText(const std::string& text) override;

    std::string content;
    int writes = 0;
    bool fail = false;
};

class FakeWindowFactory : public platform::WindowFactory {
public:
    std::unique_ptr<platform::MainWindowView> createMainWindow() override;
    std::unique_ptr<platform::SettingsDialogView> createSettingsDialog() override;
    std::unique_ptr<platform::AboutBoxView> createAboutBox() override;

    FakeMainWindow* mainWindow = nullptr;
    FakeAboutBox* aboutBox = nullptr;
    int aboutBoxesCreated = 0;
    FakeSettingsDialog* settingsDialog = nullptr;
    int settingsDialogsCreated = 0;
    // Set before the dialog is created: what the user will do at each showing.
    std::deque<std::function<void(FakeSettingsDialog&)>> dialogActions;
    std::function<void(FakeMainWindow&)> prepareMainWindow;
};

// Records what would have been started; refuses everything when told to.
class FakeProcessStart : public platform::ProcessStart {
public:
    bool start(const platform::StartRequest& request) override;

    std::vector<platform::StartRequest> started;
    bool refuse = false;
};

// A machine with xterm, the helper installed at its place and every folder present.
class FakeSystemEnvironment : public platform::SystemEnvironment {
public:
    std::optional<std::string> variable(const std::string& name) override;
    bool isOnSearchPath(const std::string& program) override;
    bool isExecutableFile(const std::string& path) override;
    bool isDirectory(const std::string& path) override;
    std::string userId() override { return user; }
    std::string homeDirectory() override { return home; }
    std::string userDocumentsDirectory() override { return documents; }

    std::map<std::string, std::string> variables{{"XDG_RUNTIME_DIR", "/run/user/1000"}};
    std::set<std::string> onSearchPath{"xterm", "xdg-open"};
    std::set<std::string> executables{"/opt/morvane/morvane-bat"};
    std::set<std::string> missingDirectories;
    std::string user = "1000";
    std::string home = "/home/u";
    std::string documents = "/home/u/文档";
};

// Private files in memory; random bytes that differ at every draw.
class FakePrivateFiles : public platform::PrivateFiles {
public:
    void preparePrivateFolder(const std::string& folder) override;
    void createPrivateFile(const std::string& path, const std::string& bytes) override;
    void remove(const std::string& path) override;
    std::string randomBytes(std::size_t count) override;

    std::set<std::string> folders;
    std::map<std::string, std::string> files;
    std::optional<platform::RuntimeError> failure;
    int draws = 0;
};

// One of everything, wired together.
struct FakePlatform {
    FakeMessageBox messageBox;
    FakeSettingsStore settings;
    FakeProgramLocation location;
    FakeTextFiles files;
    FakeCodePage codePage;
    FakeWindowFactory windows;
    FakeFileDialogs fileDialogs;
    FakeProcessStart processes;
    FakeClipboard clipboard;
    FakeSystemEnvironment environment;
    FakePrivateFiles privateFiles;
    platform::Services services{messageBox, settings,    location,    files,
                                codePage,   windows,     fileDialogs, processes,
                                clipboard,  environment, privateFiles};

    // The consoles opened so far, as their launch files tell them.
    struct Console {
        std::string script;
        std::string workingDirectory;
        std::string title;
    };
    std::vector<Console> consoles() const;
    // The programs started on their own, not in a console.
    std::vector<std::vector<std::string>> programsStarted() const;

    FakePlatform() { location.files = &files.files; }
};

} // namespace fakes
