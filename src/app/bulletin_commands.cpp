#include "app/bulletin_commands.h"
#include "app/command_setup.h"

#include <cstdio>
#include <iostream>

#include "bulletin/bulletin_parser.h"
#include "config/plot_settings.h"
#include "config/program_folder.h"
#include "data/data_file.h"
#include "data/record_array.h"
#include "data/text_file.h"

namespace {

void PrintDays(const BulletinParser& parser)
{
    for (int i = 0; i <= parser.GetLastIndex(); ++i) {
        const DayColumns day = FormatHeldDay(parser, i);
        std::cout << day.date << "  " << day.sunspots << "  " << day.flux << '\n';
    }
}

}  // namespace

int RunParseCommand(const std::vector<std::string>& args)
{
    if (args.empty()) {
        std::cerr << "usage: skylog parse FILE...\n";
        return 64;
    }
    LoadCommandSettings();
    int status = 0;
    BulletinParser parser;
    for (const std::string& file : args) {
        if (args.size() > 1)
            std::cout << file << ":\n";
        const int result = parser.Parse(file, 0);
        if (result < 0) {
            std::cout << ParseResultStatus(result) << '\n';
            status = 1;
        } else if (result == 0) {
            // No values section: no bulletin, and no success for a script.
            std::cout << NoBulletinDaysStatus << '\n';
            status = 1;
        } else {
            PrintDays(parser);
        }
    }
    return status;
}
