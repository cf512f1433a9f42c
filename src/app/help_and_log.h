#pragma once

#include "platform/platform.h"
#include "text/language_table.h"

#include <string>

namespace dustbane {

// The two documents that the toolbar opens: the help page in the installation folder and
// the log wherever it lives.
enum class InstalledDocument { Help, Log };

std::string installedDocumentPath(InstalledDocument document, const std::string& installDir,
                                  const Shell& shell);

// Opens the document with its registered program, or says that there is none.
void openInstalledDocument(InstalledDocument document, const std::string& installDir,
                           const LanguageTable& language, Platform& platform);

} // namespace dustbane
