// One bulletin fetched by its year and number (or by its name from the
// checked-file list): the names involved, the known bulletins as a tree of
// years, and the fetch itself with the four steps the user watches.
#pragma once

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "internet/ftp_client.h"

class CheckedFileList;
class PrivateTempFile;

// The archive keeps each year's bulletins in a folder named by the year
// under the bulletin directory: "pub/bulletins" and 2002-arlp005.txt give
// "pub/bulletins/2002"; an empty bulletin directory gives "2002" (the login
// directory's year folder).
std::string BulletinRemoteDir(const std::string& ftpDir, const std::string& fileName);

// The number to propose for year: one above the highest bulletin of that
// year the list already names (characters 9..11 of the name), else 1.
int ProposedBulletinNumber(const CheckedFileList& list, int year);

// The tree of known bulletins: a node per run of names of one year, in list
// order, each holding items such as "2002-ARLP-005".
struct BulletinYearNode {
    int year = 0;
    std::string text;  // "%4d" of the year
    std::vector<std::string> items;
};
std::vector<BulletinYearNode> KnownBulletinTree(const CheckedFileList& list);

// 2002-arlp005.txt gives 2002-ARLP-005: the first nine characters, "-",
// the three from position 9, in upper case.
std::string BulletinItemText(const std::string& fileName);

struct BulletinId {
    int year = 0;
    int number = 0;
};
// The year and number an item text names; nothing for a text shorter than
// 12 characters (a year node).
std::optional<BulletinId> ParseBulletinItem(const std::string& itemText);

// The four steps of a fetch as the user sees them.
enum class FetchStep { Initializing, Connecting, GettingFile, ClosingSession };

struct FetchRequest {
    std::string site;      // FTPSite: host name or ftp:// address
    std::string ftpDir;    // FTPDir
    std::string fileName;  // the remote file name, fetched from its year folder
};

enum class FetchOutcome { Fetched, Failed, Aborted };

// Called with each step's new status text ("Starting", "Completed", "Parse
// URL Failed", "Failed", "CD Failed", "Transferring", "Transfer Failed",
// "Aborted"), on the fetching thread.
using FetchStepReport = std::function<void(FetchStep step, const std::string& status)>;

// Fetches the file into `into` (a private temporary file, emptied first).
// Gives up within about a second once abort is set. On any outcome but
// Fetched the file is emptied and should be removed by its owner.
FetchOutcome FetchBulletin(const FetchRequest& request, PrivateTempFile& into,
                           const std::atomic<bool>& abort, const FetchStepReport& report,
                           FtpLimits limits = CurrentFtpLimits());
