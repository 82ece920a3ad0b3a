// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include <string>

namespace platform {

class TextControl;

class DocumentWindowEvents {
public:
    virtual ~DocumentWindowEvents() = default;
    // The window's size or state changed, and when it is first shown.
    virtual void Form_Resize() = 0;
    // The window is about to close; setting cancel keeps it open.
    virtual void Form_Unload(bool& cancel) = 0;
    // The window has closed. The last call the window makes.
    virtual void Form_Closed() = 0;
};

// A document window inside the main window, holding one edit control. Sizes are in twips;
// the window's are outer sizes, title bar and borders included.
class DocumentWindowView {
public:
    virtual ~DocumentWindowView() = default;
    virtual void setEvents(DocumentWindowEvents* events) = 0;

    virtual std::string caption() = 0;
    virtual void setCaption(const std::string& caption) = 0;
    virtual float width() = 0;
    virtual float height() = 0;
    // Places the edit control within the window's client area.
    virtual void setTextControlBounds(float left, float top, float width, float height) = 0;
    virtual TextControl& textControl() = 0;

    // Shows the window modeless inside the main window, where it becomes the active one.
    virtual void show() = 0;
    // Makes the window the active one and shows it over the others, restored if minimised,
    // so that a question about it is seen to be about it.
    virtual void bringToFront() = 0;
    // Asks the window to close; Form_Unload may refuse. True when it closed.
    virtual bool close() = 0;
};

} // namespace platform
