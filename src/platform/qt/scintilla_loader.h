// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include <cstddef>

// Scintilla's interface for filling a document that no view shows yet, from any thread. The Qt
// port's development package does not install Scintilla's ILoader.h, so it is declared here as
// Scintilla declares it, name and members alike, which makes it one and the same type. A view
// makes a loader with SCI_CREATELOADER; ConvertToDocument then hands the document over, with
// the one reference the loader held, for SCI_SETDOCPOINTER and SCI_RELEASEDOCUMENT.
#ifndef ILOADER_H
#define ILOADER_H

#ifdef _WIN32
#define MORVANE_SCINTILLA_METHOD __stdcall
#else
#define MORVANE_SCINTILLA_METHOD
#endif

class ILoader {
public:
    virtual int MORVANE_SCINTILLA_METHOD Release() = 0;
    // Appends the bytes; gives a status of SC_STATUS_*.
    virtual int MORVANE_SCINTILLA_METHOD AddData(const char* data, std::ptrdiff_t length) = 0;
    virtual void* MORVANE_SCINTILLA_METHOD ConvertToDocument() = 0;
};

#undef MORVANE_SCINTILLA_METHOD

#endif
