// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/document_window_view.h"
#include "win_api.h"
#include "win_text_control.h"

#include <memory>
#include <vector>

namespace platform::win {

// A document window: an MDI child of the main window's client, holding one rich-edit control.
// The program owns this object; the window goes when it closes or when this object goes.
class WinDocumentWindow : public DocumentWindowView {
public:
    static constexpr const wchar_t* ClassName = L"MorvaneDocument";

    // newEditSize learns the edit control's size when the window is first laid out.
    WinDocumentWindow(HWND client, HINSTANCE instance, SIZE& newEditSize);
    ~WinDocumentWindow() override;
    WinDocumentWindow(const WinDocumentWindow&) = delete;
    WinDocumentWindow& operator=(const WinDocumentWindow&) = delete;

    // The document window object of a window, or none.
    static WinDocumentWindow* ownerOf(HWND window);
    // The document windows in an MDI client, shown or not, top first.
    static std::vector<HWND> windowsIn(HWND client);

    void setEvents(DocumentWindowEvents* events) override { events_ = events; }
    std::string caption() override;
    void setCaption(const std::string& caption) override;
    float width() override;
    float height() override;
    void setTextControlBounds(float left, float top, float width, float height) override;
    TextControl& textControl() override { return *edit_; }

    void show() override;
    void bringToFront() override;
    bool close() override;

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT handleMessage(UINT message, WPARAM w, LPARAM l);
    void closed();

    HWND client_;
    SIZE& newEditSize_;
    bool laidOut_ = false;
    HWND window_ = nullptr;
    std::unique_ptr<WinTextControl> edit_;
    DocumentWindowEvents* events_ = nullptr;
};

} // namespace platform::win
