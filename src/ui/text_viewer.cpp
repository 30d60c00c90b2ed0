#include "ui/text_viewer.h"

#include <QString>

#include "ui/link_opener.h"

namespace {

TextViewer& Installed()
{
    static TextViewer viewer;
    return viewer;
}

bool DesktopTextViewer(const std::string& path)
{
    return OpenLinkOrReport(QString::fromStdString(path), LinkKind::TextFile);
}

}  // namespace

TextViewer InstalledTextViewer()
{
    return Installed() ? Installed() : TextViewer(DesktopTextViewer);
}

void SetTextViewer(TextViewer viewer)
{
    Installed() = std::move(viewer);
}
