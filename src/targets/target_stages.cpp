#include "targets/target_stages.h"

#include "targets/application_caches.h"
#include "targets/windows_locations.h"

namespace dustbane {

void runTargetStages(Deletion& deletion) {
    cleanTempFolder(deletion);
    cleanInternetCache(deletion);
    // Computed whatever the settings, and after a stop too.
    const WindowsFolder windows = windowsFolderOf(deletion.context().platform.shell);
    cleanErrorReports(deletion, windows);
    cleanThumbnailCache(deletion);
    cleanFirefoxCaches(deletion);
    cleanHotfixLeftovers(deletion, windows);
    cleanWdiFiles(deletion, windows);
    cleanAcdseeDatabases(deletion);
    cleanGoogleEarthCache(deletion);
    cleanAcrobatSearchCache(deletion);
}

} // namespace dustbane
