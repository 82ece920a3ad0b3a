// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/main_window_view.h"
#include "win_api.h"
#include "win_document_host.h"
#include "win_menu_bar.h"
#include "win_status_bar.h"
#include "win_tool_bar.h"

#include <deque>
#include <functional>
#include <memory>

namespace platform::win {

// The main window: a frame around an MDI client that holds the documents, with the menu bar,
// the toolbar and the status bar. It places itself by outer bounds in twips and leaves every
// decision to its events.
class WinMainWindow : public MainWindowView {
public:
    static constexpr const wchar_t* ClassName = L"MorvaneMainWindow";

    explicit WinMainWindow(HINSTANCE instance);
    ~WinMainWindow() override;
    WinMainWindow(const WinMainWindow&) = delete;
    WinMainWindow& operator=(const WinMainWindow&) = delete;

    void setEvents(MainWindowEvents* events) override { events_ = events; }

    float left() override;
    float top() override;
    float width() override;
    float height() override;
    void setLeft(float twips) override;
    void setTop(float twips) override;
    void setWidth(float twips) override;
    void setHeight(float twips) override;
    WindowState windowState() override;

    std::string caption() override;
    void setCaption(const std::string& caption) override;

    MenuBar& menuBar() override { return menus_; }
    StatusBar& statusBar() override { return *status_; }
    ToolBar& toolBar() override { return *tools_; }
    DocumentHost& documents() override { return *documents_; }

    void show() override;
    void close() override;
    bool runStepwise(const ProgressRequest& request, StepwiseWork& work) override;
    void runSoon(std::function<void()> work) override;

    HWND handle() const { return window_; }
    WinStatusBar& statusPanels() { return *status_; }
    // Lets the MDI client have the keys of the document windows (Ctrl+F4, Ctrl+F6).
    bool translateAccelerator(MSG& message);

private:
    // One measure as last set: reading it back gives the same twips while the window keeps
    // the pixel value they were turned into, so stored bounds survive a restart unchanged.
    struct Measure {
        float twips = 0;
        int pixels = 0;
        bool set = false;
    };
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT handleMessage(UINT message, WPARAM w, LPARAM l);
    void runSoonWork();
    bool command(int id);
    void layOutChildren();
    RECT outer() const;
    float readMeasure(const Measure& measure, int pixels) const;
    // Sets one measure of the outer bounds; place puts the pixels into the bounds.
    template <typename Place>
    void setMeasure(Measure& measure, float twips, int lowest, Place place);
    bool editorInsertMode();

    MainWindowEvents* events_ = nullptr;
    // Work for a later turn of the message loop, announced by a posted RunSoonMessage.
    std::deque<std::function<void()>> soon_;
    HWND window_ = nullptr;
    HWND client_ = nullptr;
    HWND toolBarWindow_ = nullptr;
    HWND statusWindow_ = nullptr;
    WinMenuBar menus_;
    std::unique_ptr<WinToolBar> tools_;
    std::unique_ptr<WinStatusBar> status_;
    std::unique_ptr<WinDocumentHost> documents_;
    Measure left_, top_, width_, height_;
    bool loaded_ = false;
};

} // namespace platform::win
