#include "app/quiet_toolkit.h"

#include <QtGlobal>
#include <cstring>

namespace {

QtMessageHandler defaultHandler = nullptr;
bool keepDisplay = false;

bool IsDisplayConnection(const char* category)
{
    return category && (std::strcmp(category, "qt.qpa.xcb") == 0 ||
                        std::strncmp(category, "qt.qpa.wayland", 14) == 0);
}

void OnlySeriousMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg ||
        (type == QtWarningMsg && keepDisplay && IsDisplayConnection(context.category)))
        defaultHandler(type, context, message);
}

}  // namespace

void QuietToolkit(bool keepDisplayErrors)
{
    // Leave a deliberate request for Qt's diagnostics alone.
    if (qEnvironmentVariableIsSet("QT_LOGGING_RULES") || qEnvironmentVariableIsSet("QT_DEBUG_PLUGINS"))
        return;
    keepDisplay = keepDisplayErrors;
    defaultHandler = qInstallMessageHandler(OnlySeriousMessages);
}
