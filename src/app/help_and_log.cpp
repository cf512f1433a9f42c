#include "app/help_and_log.h"

namespace dustbane {

std::string installedDocumentPath(InstalledDocument document, const std::string& installDir) {
    return installDir + (document == InstalledDocument::Help ? "help.htm" : "logs.log");
}

void openInstalledDocument(InstalledDocument document, const std::string& installDir,
                           const LanguageTable& language, Platform& platform) {
    std::string path = installedDocumentPath(document, installDir);
    if (platform.files.fileExists(path)) {
        platform.shell.openDocument(path);
        return;
    }
    platform.prompter.inform(language.text(document == InstalledDocument::Help ? 36 : 34),
                             "Information");
}

} // namespace dustbane
