#pragma once

#include <string>
#include <vector>
#include <windows.h>

namespace dustbane::e2e {

// Reading the common controls of another process. An owner-data list answers as well as a
// normal one: the control asks its owner for each text.

int listViewCount(HWND list);
std::string listViewText(HWND list, int row, int column = 0);
int listViewImage(HWND list, int row);
// The texts of every row, top to bottom.
std::vector<std::string> listViewRows(HWND list, int column = 0);

int statusBarPartCount(HWND statusBar);
std::string statusBarText(HWND statusBar, int part);

} // namespace dustbane::e2e
