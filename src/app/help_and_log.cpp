#include "app/help_and_log.h"

#include "settings/clean_log.h"

namespace dustbane {

std::string installedDocumentPath(InstalledDocument document, const std::string& installDir,
                                  const Shell& shell) {
    return document == InstalledDocument::Help ? installDir + "help.htm"
                                               : logLocation(shell, installDir).path;
}

void openInstalledDocument(InstalledDocument document, const std::string& installDir,
                           const LanguageTable& language, Platform& platform) {
    std::string path = installedDocumentPath(document, installDir, platform.shell);
    if (platform.files.fileExists(path)) {
        platform.shell.openDocument(path);
        return;
    }
    platform.prompter.inform(
        language.text(document == InstalledDocument::Help ? Text::NoHelpFile : Text::NoLogFile),
        "Information");
}

} // namespace dustbane
