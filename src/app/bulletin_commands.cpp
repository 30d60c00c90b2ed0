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

const char* KindName(ReadingKind kind)
{
    return kind == ReadingKind::Lenient ? "lenient" : "exact";
}

int RunParse(const CommandCall& call)
{
    const std::vector<std::string>& args = call.Arguments();
    LoadCommandSettings();
    BulletinReadingOptions options;
    if (const int usage = BulletinReadingOf(call, &options); usage != ExitSuccess)
        return usage;
    int status = ExitSuccess;
    BulletinParser parser;
    for (const std::string& file : args) {
        if (args.size() > 1)
            std::cout << file << ":\n";
        const BulletinReading reading = ReadBulletin(parser, file, options);
        const int result = reading.result;
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
            "Parses each bulletin file without asking anything and prints \"exact\" or\n"
            "\"lenient\" (how it was read) on a line of its own, then one line per day\n"
            "(date, sunspot number, flux), or the reason it could not. Where the exact\n"
            "reading fails, the bulletin is read leniently (other wordings, news pages\n"
            "without a date line) unless --exact is given or LenientParse=0 is set;\n"
            "anything ambiguous is refused. --year gives the year of the first day of a\n"
            "bulletin that prints none. Exit status 0 when every file parsed, 1 otherwise.",
            BulletinReadingCommandOptions(), 1, -1, RunParse};
}
