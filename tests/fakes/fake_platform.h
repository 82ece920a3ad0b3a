#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/document_host.h"
#include "platform/error.h"
#include "platform/main_window_view.h"
#include "platform/menu_bar.h"
#include "platform/services.h"
#include "platform/status_bar.h"

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

class FakeProgramLocation : public platform::ProgramLocation {
public:
    std::string programDirectory() override;
    char directorySeparator() override { return separator; }

    std::string directory = "/opt/morvane";
    char separator = '/';
    bool fail = false;
};

// Files in memory; a path in readOnly or failing refuses to be written.
class FakeTextFiles : public platform::TextFiles {
public:
    std::string readBytes(const std::string& path) override;
    void replaceBytes(const std::string& path, const std::string& bytes) override;

    std::map<std::string, std::string> files;
    std::set<std::string> unreadable;
    std::set<std::string> readOnly;
    std::optional<platform::RuntimeError> writeFailure;
};

// UTF-8 through and through, like the tests' C.UTF-8 locale.
class FakeCodePage : public platform::CodePage {
public:
    std::string systemEncoding() override { return "UTF-8"; }
    std::string encode(std::string_view utf8, const std::string& encoding) override;
    std::string decode(std::string_view bytes, const std::string& encoding) override;
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

// Document windows reduced to whether each agrees to close.
class FakeDocumentHost : public platform::DocumentHost {
public:
    bool closeAllDocuments() override;

    std::vector<bool> agreesToClose; // one per open window, closed from the front
    int closeAttempts = 0;
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
    platform::DocumentHost& documents() override { return documentHost; }
    void show() override;
    void close() override;

    platform::MainWindowEvents* events = nullptr;
    float bounds[4] = {0, 0, 0, 0};
    float largestCoordinate = 491505; // beyond this a setter refuses the value
    platform::WindowState state = platform::WindowState::Normal;
    std::string captionText;
    FakeMenuBar menus;
    FakeStatusBar status;
    FakeDocumentHost documentHost;
    int showCount = 0;
    bool closed = false;
    bool visible = false;

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

class FakeWindowFactory : public platform::WindowFactory {
public:
    std::unique_ptr<platform::MainWindowView> createMainWindow() override;
    std::unique_ptr<platform::SettingsDialogView> createSettingsDialog() override;

    FakeMainWindow* mainWindow = nullptr;
    FakeSettingsDialog* settingsDialog = nullptr;
    int settingsDialogsCreated = 0;
    // Set before the dialog is created: what the user will do at each showing.
    std::deque<std::function<void(FakeSettingsDialog&)>> dialogActions;
    std::function<void(FakeMainWindow&)> prepareMainWindow;
};

// One of everything, wired together.
struct FakePlatform {
    FakeMessageBox messageBox;
    FakeSettingsStore settings;
    FakeProgramLocation location;
    FakeTextFiles files;
    FakeCodePage codePage;
    FakeWindowFactory windows;
    platform::Services services{messageBox, settings, location, files, codePage, windows};
};

} // namespace fakes
