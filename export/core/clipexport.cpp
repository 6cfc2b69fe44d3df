#include "clipexport.h"

ClipExportResult RunClipExport(const ClipExportRequest& request, const ClipExportProgress&)
{
    ClipExportResult result;
    result.exitCode = 3;
    result.error = "Clip export is not available yet.";
    return result;
}
