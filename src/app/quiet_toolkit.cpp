#include "app/quiet_toolkit.h"

#include <QtGlobal>

namespace {

QtMessageHandler defaultHandler = nullptr;

void OnlySeriousMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        defaultHandler(type, context, message);
}

}  // namespace

void QuietToolkit()
{
    // Leave a deliberate request for Qt's diagnostics alone.
    if (qEnvironmentVariableIsSet("QT_LOGGING_RULES") || qEnvironmentVariableIsSet("QT_DEBUG_PLUGINS"))
        return;
    defaultHandler = qInstallMessageHandler(OnlySeriousMessages);
}
