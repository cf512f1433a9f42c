#pragma once

#include <optional>
#include <string>
#include <vector>

namespace dustbane::e2e {

// Paths are Windows paths in UTF-8. Files hold bytes as given: language files and the log
// are in the ANSI code page, so tests convert with toAnsi/fromAnsi.

// Where the test script puts Dustbane.exe and help.htm (C:\Dustbane\ unless the variable
// DUSTBANE_INSTALL_DIR says otherwise), ending with a backslash.
std::string installDir();
// The folder of the test program, where the test script puts the installers, ending with a
// backslash.
std::string testsFolder();
// A new empty folder C:\scratch\<name>\ for one test's files, ending with a backslash.
std::string scratchDir(const std::string& name);

bool fileExists(const std::string& path);
bool directoryExists(const std::string& path);
void createDirectories(const std::string& path);
void removeTree(const std::string& path);
// Creates the missing parent folders.
void writeFile(const std::string& path, const std::string& bytes);
std::optional<std::string> readFile(const std::string& path);

// The lines of a text, each without its line break (\n or \r\n).
std::vector<std::string> splitLines(const std::string& text);
// The lines, each ended by \n, for a failure message.
std::string joined(const std::vector<std::string>& lines);

std::string toAnsi(const std::string& utf8);
std::string fromAnsi(const std::string& ansi);

} // namespace dustbane::e2e
