#pragma once

// The end-to-end driver: starts the real Dustbane.exe inside a Wine prefix, drives it
// through its windows as a user would and inspects the registry and files afterwards.
//
// Where things are. scripts/test.sh copies Dustbane.exe and the files that sit beside it
// (help.htm, end.wav, lang\) to C:\Dustbane\ and e2e_tests.exe to C:\tests\, and runs each
// scenario (one gtest test) alone in a fresh copy of a prefix with its own HOME, so a
// scenario may change the registry, the files and the Recycle Bin freely.
//
// Synchronisation. Everything waits with a deadline for a condition (waitUntil and the
// wait* functions); nothing sleeps a fixed time. Clicks, commands and WM_CLOSE are posted,
// since they may open a modal message box in Dustbane that the test then answers.
//
// System language. Wine takes the system default language from LC_ALL of the Unix process
// at its start. A Windows process started by another (CreateProcessW) gets the Unix locale
// of its parent and ignores an LC_ALL in the environment block it is given, so the language
// is chosen for the whole e2e_tests.exe by the test script, from the scenario's name: a test
// whose name ends in _<ll>_<CC> (e.g. CaptionFromLanguageFile_de_DE) runs with
// LC_ALL=<ll>_<CC>.UTF-8, every other test with LC_ALL=C.UTF-8 (0x0409). Such a scenario
// checks systemLanguage() first, so running it without that locale fails plainly instead of
// testing the wrong thing. The host rarely has <ll>_<CC> generated; Wine then cannot map
// non-ASCII file names to Unix ones, so those scenarios keep their paths in ASCII.

#include "driver/app.h"
#include "driver/controls.h"
#include "driver/files.h"
#include "driver/message_box.h"
#include "driver/registry.h"
#include "driver/scenario.h"
#include "driver/system_info.h"
#include "driver/wait.h"
#include "driver/window.h"
