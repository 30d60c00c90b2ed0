#include "app/bulletin_commands.h"
#include "app/command_setup.h"

#include <cstdio>
#include <iostream>

#include "bulletin/bulletin_parser.h"
#include "bulletin/bulletin_reading.h"
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

int RunParse(const CommandCall& call)
{
    const std::vector<std::string>& args = call.Arguments();
    LoadCommandSettings();
    int status = ExitSuccess;
    BulletinParser parser;
    for (const std::string& file : args) {
        if (args.size() > 1)
            std::cout << file << ":\n";
        const int result = parser.Parse(file, 0);
        if (result < 0) {
            std::cout << ParseResultStatus(result) << '\n';
            status = ExitFailure;
        } else if (result == 0) {
            // No values section: no bulletin, and no success for a script.
            std::cout << NoBulletinDaysStatus << '\n';
            status = ExitFailure;
        } else {
            std::cout << KindName(reading.kind) << '\n';
            PrintDays(parser);
        }
    }
    return status;
}

}  // namespace

Command ParseCommand()
{
    return {"parse", "FILE...", "Prints the days a bulletin holds.",
            "Parses each bulletin file without asking anything and prints one line per day\n"
            "(date, sunspot number, flux), or the reason it could not. Exit status 0 when\n"
            "every file parsed, 1 otherwise.",
            {}, 1, -1, RunParse};
}
