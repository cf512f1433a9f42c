#pragma once

#include "app/language_table.h"
#include "platform/platform.h"

#include <string>

namespace dustbane {

// The two documents in the installation folder that the toolbar opens.
enum class InstalledDocument { Help, Log };

std::string installedDocumentPath(InstalledDocument document, const std::string& installDir);

// Opens the document with its registered program, or says that there is none.
void openInstalledDocument(InstalledDocument document, const std::string& installDir,
                           const LanguageTable& language, Platform& platform);

} // namespace dustbane
