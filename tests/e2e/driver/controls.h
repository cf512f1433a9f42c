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
// The caption of a column's header.
std::string listViewColumnText(HWND list, int column = 0);
// Makes the row the only selected one and the focused one, scrolled into view.
void selectListViewRow(HWND list, int row);
// The row's bounds in the list's client coordinates.
RECT listViewRowRect(HWND list, int row);

int statusBarPartCount(HWND statusBar);
std::string statusBarText(HWND statusBar, int part);

} // namespace dustbane::e2e
