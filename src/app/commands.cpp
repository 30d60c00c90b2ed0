#include "app/commands.h"

#include "app/bulletin_commands.h"
#include "app/export_command.h"
#include "app/fetch_command.h"
#include "app/import_commands.h"
#include "app/info_command.h"
#include "app/print_command.h"
#include "app/render_command.h"

// The order here is the order of "skylog --help".
const std::vector<Command>& Commands()
{
    static const std::vector<Command> commands = {
        InfoCommand(),
        ParseCommand(),
        ImportCommand(),
        UpdateCommand(),
        FetchCommand(),
        RenderCommand(),
        PrintCommand(),
        ExportCommand(),
    };
    return commands;
}
