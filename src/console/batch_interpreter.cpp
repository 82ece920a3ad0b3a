// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "console/batch_interpreter.h"

#include "files/plain_text.h"

#include <algorithm>
#include <cstddef>

namespace console {
namespace {

// Script files and the console's built-in words are compared the way a Windows console
// compares them: ASCII letters without regard to case, every other byte exactly.
char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return asciiLower(x) == asciiLower(y);
           });
}

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           equalsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

bool endsWithIgnoringCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           equalsIgnoringCase(text.substr(text.size() - suffix.size()), suffix);
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimLeading(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) {
        s.remove_prefix(1);
    }
    return s;
}

std::string_view trim(std::string_view s) {
    s = trimLeading(s);
    while (!s.empty() && isBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

// True when text starts with the built-in word and the word ends there.
bool isWord(std::string_view text, std::string_view word) {
    return startsWithIgnoringCase(text, word) &&
           (text.size() == word.size() || isBlank(text[word.size()]));
}

std::string joinPath(std::string_view directory, std::string_view name, char separator) {
    std::string path(directory);
    if (!path.empty() && path.back() != separator) {
        path += separator;
    }
    path += name;
    return path;
}

std::string resolveAgainst(std::string_view workingDirectory, std::string_view name,
                           char separator) {
    if (workingDirectory.empty() || (!name.empty() && name.front() == separator)) {
        return std::string(name);
    }
    return joinPath(workingDirectory, name, separator);
}

constexpr std::string_view ExeSuffix = ".exe";

} // namespace

ScriptLine classifyLine(std::string_view line) {
    ScriptLine result;
    std::string_view s = trimLeading(line);
    while (!s.empty() && s.front() == '@') {
        result.echoed = false;
        s = trimLeading(s.substr(1));
    }
    result.text = std::string(s);
    if (trim(s).empty()) {
        result.kind = LineKind::Nothing;
        return result;
    }
    if (isWord(s, "rem")) {
        result.kind = LineKind::Remark;
        return result;
    }
    if (isWord(s, "pause")) {
        result.kind = LineKind::Pause;
        return result;
    }
    if (startsWithIgnoringCase(s, "echo")) {
        std::string_view rest = s.substr(4);
        if (!rest.empty() && rest.front() == '.') {
            result.kind = LineKind::Echo;
            result.argument = std::string(rest.substr(1));
            return result;
        }
        if (trim(rest).empty()) {
            result.kind = LineKind::EchoMode;
            return result;
        }
        if (isBlank(rest.front())) {
            // One delimiter separates the word from its text; the rest is printed as it stands.
            std::string_view text = rest.substr(1);
            std::string_view mode = trim(text);
            if (equalsIgnoringCase(mode, "on") || equalsIgnoringCase(mode, "off")) {
                result.kind = LineKind::EchoMode;
                result.argument = equalsIgnoringCase(mode, "on") ? "on" : "off";
            } else {
                result.kind = LineKind::Echo;
                result.argument = std::string(text);
            }
            return result;
        }
    }
    if (isWord(s, "set")) {
        result.kind = LineKind::Set;
        result.argument = std::string(trimLeading(s.substr(3)));
        return result;
    }
    result.kind = LineKind::Program;
    return result;
}

std::vector<std::string> splitLines(std::string_view script) {
    std::vector<std::string> lines;
    while (!script.empty()) {
        std::size_t end = script.find('\n');
        std::string_view line = script.substr(0, end);
        while (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.emplace_back(line);
        if (end == std::string_view::npos) {
            break;
        }
        script.remove_prefix(end + 1);
    }
    return lines;
}

std::vector<std::string> splitWords(std::string_view text) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            // Inside quotes, two quotes stand for one; otherwise a quote opens or closes.
            if (quoted && i + 1 < text.size() && text[i + 1] == '"') {
                word += '"';
                ++i;
            } else {
                quoted = !quoted;
            }
            inWord = true;
            continue;
        }
        // A NUL cannot travel in an argument; treating it as a blank keeps every word whole
        // instead of cutting it short where the program receives it.
        if (c == '\0' || (!quoted && isBlank(c))) {
            if (inWord) {
                words.push_back(std::move(word));
                word.clear();
                inWord = false;
            }
            continue;
        }
        word += c;
        inWord = true;
    }
    if (inWord) {
        words.push_back(std::move(word));
    }
    return words;
}

std::vector<std::string> splitPathList(std::string_view value, char separator) {
    std::vector<std::string> entries;
    std::size_t start = 0;
    while (start <= value.size()) {
        std::size_t end = value.find(separator, start);
        if (end == std::string_view::npos) {
            end = value.size();
        }
        if (end > start) {
            entries.emplace_back(value.substr(start, end - start));
        }
        start = end + 1;
    }
    return entries;
}

std::string joinPathList(const std::vector<std::string>& entries, char separator) {
    std::string joined;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i > 0) {
            joined += separator;
        }
        joined += entries[i];
    }
    return joined;
}

std::vector<std::string> programCandidates(std::string_view name,
                                           const std::vector<std::string>& searchPath,
                                           std::string_view workingDirectory,
                                           const PathRules& rules) {
    std::vector<std::string> candidates;
    auto addFor = [&](std::string_view program) {
        if (program.find(rules.directorySeparator) != std::string_view::npos) {
            candidates.push_back(
                resolveAgainst(workingDirectory, program, rules.directorySeparator));
            return;
        }
        for (const std::string& entry : searchPath) {
            candidates.push_back(
                joinPath(resolveAgainst(workingDirectory, entry, rules.directorySeparator), program,
                         rules.directorySeparator));
        }
    };
    if (name.empty()) {
        return candidates;
    }
    addFor(name);
    if (endsWithIgnoringCase(name, ExeSuffix)) {
        std::string_view stem = name.substr(0, name.size() - ExeSuffix.size());
        if (!stem.empty() && stem.back() != rules.directorySeparator) {
            addFor(stem);
        }
    }
    return candidates;
}

std::string notFoundMessage(std::string_view name) {
    std::string message = "'";
    message += name;
    message += "' 不是内部或外部命令，也不是可运行的程序\n或批处理文件。\n";
    return message;
}

std::string prompt(std::string_view workingDirectory) {
    std::string text(workingDirectory);
    text += '>';
    return text;
}

namespace {

bool namesTool(std::string_view programWord, std::string_view tool, const PathRules& rules) {
    std::size_t slash = programWord.rfind(rules.directorySeparator);
    std::string_view base =
        slash == std::string_view::npos ? programWord : programWord.substr(slash + 1);
    if (endsWithIgnoringCase(base, ExeSuffix)) {
        base.remove_suffix(ExeSuffix.size());
    }
    return equalsIgnoringCase(base, tool);
}

} // namespace

bool namesJavac(std::string_view programWord, const PathRules& rules) {
    return namesTool(programWord, "javac", rules);
}

bool namesAppletViewer(std::string_view programWord, const PathRules& rules) {
    return namesTool(programWord, "appletviewer", rules);
}

Environment Environment::fromEntries(const std::vector<std::string>& entries) {
    Environment environment;
    for (const std::string& entry : entries) {
        std::size_t equals = entry.find('=');
        if (equals == std::string::npos || equals == 0) {
            continue;
        }
        environment.set(std::string_view(entry).substr(0, equals),
                        std::string_view(entry).substr(equals + 1));
    }
    return environment;
}

std::optional<std::string> Environment::get(std::string_view name) const {
    for (const auto& [key, value] : variables_) {
        if (key == name) {
            return value;
        }
    }
    return std::nullopt;
}

void Environment::set(std::string_view name, std::string_view value) {
    for (auto& [key, current] : variables_) {
        if (key == name) {
            current = std::string(value);
            return;
        }
    }
    variables_.emplace_back(std::string(name), std::string(value));
}

void Environment::unset(std::string_view name) {
    std::erase_if(variables_, [&](const auto& variable) { return variable.first == name; });
}

std::vector<std::string> Environment::entries() const {
    std::vector<std::string> result;
    result.reserve(variables_.size());
    for (const auto& [key, value] : variables_) {
        result.push_back(key + "=" + value);
    }
    return result;
}

Interpreter::Interpreter(Host& host, std::string workingDirectory, Environment environment,
                         PathRules rules)
    : host_(host), workingDirectory_(std::move(workingDirectory)),
      environment_(std::move(environment)), rules_(rules),
      inheritedPath_(environment_.get("PATH")) {}

int Interpreter::runScript(std::string_view script) {
    for (const std::string& line : splitLines(script)) {
        runLine(line);
    }
    return errorLevel_;
}

void Interpreter::runLine(std::string_view line) {
    ScriptLine parsed = classifyLine(line);
    if (parsed.kind == LineKind::Nothing) {
        return;
    }
    if (parsed.echoed && echoOn_) {
        echoLine(parsed.text);
    }
    switch (parsed.kind) {
    case LineKind::Nothing:
    case LineKind::Remark:
        break;
    case LineKind::Pause:
        pause();
        break;
    case LineKind::Echo:
        host_.writeOutput(parsed.argument + "\n");
        break;
    case LineKind::EchoMode:
        if (parsed.argument.empty()) {
            host_.writeOutput(echoOn_ ? "ECHO 处于打开状态。\n" : "ECHO 处于关闭状态。\n");
        } else {
            echoOn_ = parsed.argument == "on";
        }
        break;
    case LineKind::Set:
        set(parsed.argument);
        break;
    case LineKind::Program:
        runProgram(parsed.text);
        break;
    }
}

std::vector<std::string> Interpreter::searchPath() const {
    if (scriptSearchPath_) {
        return *scriptSearchPath_;
    }
    return splitPathList(environment_.get("PATH").value_or(""), rules_.listSeparator);
}

void Interpreter::echoLine(const std::string& text) {
    // A console separates each echoed command from the output before it by a blank line.
    host_.writeOutput("\n" + prompt(workingDirectory_) + text + "\n");
}

void Interpreter::set(const std::string& argument) {
    std::size_t equals = argument.find('=');
    if (equals == std::string::npos) {
        std::string prefix(trim(argument));
        std::vector<std::pair<std::string, std::string>> matches;
        for (const auto& variable : environment_.variables()) {
            if (startsWithIgnoringCase(variable.first, prefix)) {
                matches.push_back(variable);
            }
        }
        if (matches.empty()) {
            host_.writeError("环境变量 " + prefix + " 没有定义\n");
            return;
        }
        std::sort(matches.begin(), matches.end());
        for (const auto& [name, value] : matches) {
            host_.writeOutput(name + "=" + value + "\n");
        }
        return;
    }
    if (equals == 0) {
        host_.writeError(std::string(SyntaxErrorText) + "\n");
        return;
    }
    std::string name = argument.substr(0, equals);
    std::string value = argument.substr(equals + 1);
    if (equalsIgnoringCase(name, "path")) {
        // The script's list replaces the inherited one entirely.
        std::vector<std::string> entries = splitPathList(value, ';');
        if (entries.empty()) {
            environment_.unset("PATH");
        } else {
            environment_.set("PATH", joinPathList(entries, rules_.listSeparator));
        }
        scriptSearchPath_ = std::move(entries);
        return;
    }
    if (value.empty()) {
        environment_.unset(name);
    } else {
        environment_.set(name, value);
    }
}

void Interpreter::pause() {
    host_.writeOutput(PauseText);
    if (host_.inputIsTerminal()) {
        host_.waitForKey();
    }
    host_.writeOutput("\n");
}

std::optional<std::string> Interpreter::find(const std::string& name,
                                             const std::vector<std::string>& searchPath) {
    for (const std::string& candidate :
         programCandidates(name, searchPath, workingDirectory_, rules_)) {
        if (host_.isExecutable(candidate)) {
            return candidate;
        }
    }
    return std::nullopt;
}

std::string Interpreter::resolve(const std::string& name) const {
    return resolveAgainst(workingDirectory_, name, rules_.directorySeparator);
}

bool Interpreter::needsLegacySourceEncoding(const std::vector<std::string>& words) {
    if (!namesJavac(words.front(), rules_)) {
        return false;
    }
    // An encoding the user chose, on the line or in the environment, is left alone.
    for (std::size_t i = 1; i < words.size(); ++i) {
        if (words[i] == "-encoding" || startsWithIgnoringCase(words[i], "--encoding")) {
            return false;
        }
    }
    if (std::optional<std::string> options = environment_.get(JavacOptionsVariable);
        options && options->find("-encoding") != std::string::npos) {
        return false;
    }
    for (std::size_t i = 1; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word.empty() || word.front() == '-' || !endsWithIgnoringCase(word, ".java")) {
            continue;
        }
        std::optional<std::string> content = host_.readFile(resolve(word));
        if (content && !files::isValidUtf8(*content)) {
            return true;
        }
    }
    return false;
}

std::vector<std::string> Interpreter::appletHostCommand(const std::vector<std::string>& words) {
    std::vector<std::string> command = {"java"};
    if (!opener_.empty()) {
        // Found now, by the environment the workbench gave: under the script's path the host
        // could reach no desktop program. A relative entry would mean the script's folder, not
        // the workbench's, and is passed over, both here and in the path the opener runs with
        // (it finds its own helpers there, in the document's folder). An empty value tells the
        // host there is none.
        std::vector<std::string> inherited =
            splitPathList(inheritedPath_.value_or(""), rules_.listSeparator);
        std::erase_if(inherited, [&](const std::string& entry) {
            return entry.front() != rules_.directorySeparator;
        });
        command.push_back("-D" + std::string(OpenerProperty) + "=" +
                          find(opener_, inherited).value_or(""));
        if (inheritedPath_) {
            command.push_back("-D" + std::string(OpenerSearchPathProperty) + "=" +
                              joinPathList(inherited, rules_.listSeparator));
        }
    }
    // The launcher takes nothing after the jar as its own (no option, no @file): the page
    // words reach the host as they stand.
    command.insert(command.end(), {"-jar", appletHost_});
    command.insert(command.end(), words.begin() + 1, words.end());
    return command;
}

void Interpreter::runProgram(const std::string& text) {
    std::vector<std::string> words = splitWords(text);
    if (words.empty()) {
        return;
    }
    std::optional<std::string> program = find(words.front(), searchPath());
    if (!program && !appletHost_.empty() && namesAppletViewer(words.front(), rules_)) {
        // JDKs after 8 have no applet viewer: the applet host runs in the script's java.
        program = find("java", searchPath());
        if (program) {
            words = appletHostCommand(words);
        }
    }
    if (!program) {
        host_.writeError(notFoundMessage(words.front()));
        errorLevel_ = ExitCode::NotFound;
        return;
    }
    Environment environment = environment_;
    if (needsLegacySourceEncoding(words)) {
        std::string options(LegacySourceOptions);
        if (std::optional<std::string> existing = environment.get(JavacOptionsVariable);
            existing && !trim(*existing).empty()) {
            options = *existing + " " + options;
        }
        environment.set(JavacOptionsVariable, options);
    }
    RunResult result = host_.run(*program, words, environment.entries());
    if (!result.started) {
        host_.writeError("无法启动程序“" + words.front() + "”：" + result.reason + "\n");
        errorLevel_ = ExitCode::NotStarted;
        return;
    }
    errorLevel_ = result.status;
}

int reportStartFailure(Host& host, std::string_view message, int exitCode) {
    host.writeError(std::string(message) + "\n");
    if (host.inputIsTerminal()) {
        host.writeOutput(PauseText);
        host.waitForKey();
        host.writeOutput("\n");
    }
    return exitCode;
}

} // namespace console
