// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "console/host.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace console {

// How the machine writes paths and path lists. The scripts themselves always separate the
// entries of a search path with ";", the way they are written for a Windows console.
struct PathRules {
    char listSeparator = ':';
    char directorySeparator = '/';
};

// Exit codes of the interpreter itself; otherwise it ends with the status of the last program
// the script ran, 0 when none ran, as a console's batch run ends with its error level.
namespace ExitCode {
inline constexpr int Usage = 64;
inline constexpr int WorkingDirectory = 65;
inline constexpr int Script = 66;
inline constexpr int NotStarted = 126;
inline constexpr int NotFound = 127;
} // namespace ExitCode

inline constexpr std::string_view PauseText = "请按任意键继续. . .";
inline constexpr std::string_view SyntaxErrorText = "命令语法不正确。";
// What javac is told about a source that is not UTF-8: a Chinese Windows wrote it in GBK,
// which GB18030 contains.
inline constexpr std::string_view LegacySourceOptions = "-encoding GB18030";
inline constexpr std::string_view JavacOptionsVariable = "JDK_JAVAC_OPTIONS";
// The system properties that tell the applet host which program opens its links and the
// search path that program runs with: the ones this interpreter inherited, since the script's
// "set path=" leaves only the JDK's folder.
inline constexpr std::string_view OpenerProperty = "morvane.opener";
inline constexpr std::string_view OpenerSearchPathProperty = "morvane.opener.searchPath";

enum class LineKind {
    Nothing,  // empty, blank or only "@"
    Remark,   // rem
    Pause,    // pause
    Echo,     // echo TEXT, echo., bare echo
    EchoMode, // echo on, echo off
    Set,      // set NAME=VALUE, set NAME, set
    Program,  // anything else
};

struct ScriptLine {
    LineKind kind = LineKind::Nothing;
    // False once a leading "@" asked for silence.
    bool echoed = true;
    // The line as a console shows it: without leading blanks and "@".
    std::string text;
    // Echo: the text to print; EchoMode: "on" or "off"; Set: what follows "set" and its blanks.
    std::string argument;
};

ScriptLine classifyLine(std::string_view line);

// Lines end at LF; a CR before it belongs to the line ending, not to the line.
std::vector<std::string> splitLines(std::string_view script);
// Words are separated by runs of blanks (space, tab), as a console separates a program's
// arguments: double quotes group blanks into a word and are dropped, two quotes inside quotes
// stand for one. Nothing else is special: no variable, escape or shell character.
std::vector<std::string> splitWords(std::string_view text);
// Entries of a path list; empty entries name nothing and are dropped.
std::vector<std::string> splitPathList(std::string_view value, char separator);
std::string joinPathList(const std::vector<std::string>& entries, char separator);

// The files to try, in order, when a script names program: with a directory part the name
// itself, otherwise every search path entry in turn; a name ending in ".exe" is then tried
// again without it. Relative names and entries are taken from workingDirectory.
std::vector<std::string> programCandidates(std::string_view name,
                                           const std::vector<std::string>& searchPath,
                                           std::string_view workingDirectory,
                                           const PathRules& rules = {});

std::string notFoundMessage(std::string_view name);
std::string prompt(std::string_view workingDirectory);
// True for javac named any way a script may name it: "javac", "JAVAC.EXE", "/usr/bin/javac".
bool namesJavac(std::string_view programWord, const PathRules& rules = {});
// The same for the applet viewer: "appletviewer", "appletviewer.exe", any case, any folder.
bool namesAppletViewer(std::string_view programWord, const PathRules& rules = {});

// A program's environment: NAME=VALUE pairs in their original order, names compared exactly.
class Environment {
public:
    Environment() = default;
    // Entries without "=" are no variables and are left out.
    static Environment fromEntries(const std::vector<std::string>& entries);

    std::optional<std::string> get(std::string_view name) const;
    void set(std::string_view name, std::string_view value);
    void unset(std::string_view name);
    std::vector<std::string> entries() const;
    const std::vector<std::pair<std::string, std::string>>& variables() const { return variables_; }

private:
    std::vector<std::pair<std::string, std::string>> variables_;
};

// Runs the lines of a batch script the way a console runs the scripts this system writes:
// echoing, setting variables, pausing and starting programs, never handing a line to a shell.
class Interpreter {
public:
    Interpreter(Host& host, std::string workingDirectory, Environment environment,
                PathRules rules = {});

    // The applet host's jar, run with the script's java when the script names an applet viewer
    // that its search path does not hold; empty for none. opener names the program that opens
    // the host's links, looked up on the search path the interpreter was started with.
    void setAppletHost(std::string jarPath, std::string opener = {}) {
        appletHost_ = std::move(jarPath);
        opener_ = std::move(opener);
    }

    // Runs every line in turn; returns the error level at the end.
    int runScript(std::string_view script);
    void runLine(std::string_view line);

    int errorLevel() const { return errorLevel_; }
    const Environment& environment() const { return environment_; }
    // The entries programs are looked up in.
    std::vector<std::string> searchPath() const;

private:
    void echoLine(const std::string& text);
    void set(const std::string& argument);
    void pause();
    void runProgram(const std::string& text);
    bool needsLegacySourceEncoding(const std::vector<std::string>& words);
    std::string resolve(const std::string& name) const;
    // The first file on searchPath that starts as name.
    std::optional<std::string> find(const std::string& name,
                                    const std::vector<std::string>& searchPath);
    std::vector<std::string> appletHostCommand(const std::vector<std::string>& words);

    Host& host_;
    std::string workingDirectory_;
    Environment environment_;
    PathRules rules_;
    // Set by "set path=": kept as the script listed them, so an entry holding the platform's
    // separator is still looked up whole.
    std::optional<std::vector<std::string>> scriptSearchPath_;
    // PATH as the interpreter inherited it, before any "set path=".
    std::optional<std::string> inheritedPath_;
    std::string appletHost_;
    std::string opener_;
    bool echoOn_ = true;
    int errorLevel_ = 0;
};

// Tells why the interpreter cannot run a script and, in a terminal window that would close at
// once, waits for a key so the message can be read. Returns exitCode.
int reportStartFailure(Host& host, std::string_view message, int exitCode);

} // namespace console
