#include "internet/single_bulletin.h"

#include <cctype>

#include "data/number_text.h"
#include "internet/checked_file_list.h"
#include "internet/ftp_locate_worker.h"
#include "internet/private_files.h"
#include "internet/remote_name.h"

namespace {

// The number in the characters [from, from + count) of text; 0 without digits.
int NumberAt(const std::string& text, std::size_t from, std::size_t count)
{
    if (from >= text.size())
        return 0;
    return ParseLeadingInt(std::string_view(text).substr(from, count));
}

std::string PadLeft(std::string text, std::size_t width)
{
    if (text.size() < width)
        text.insert(0, width - text.size(), ' ');
    return text;
}

}  // namespace

std::string BulletinRemoteDir(const std::string& ftpDir, const std::string& fileName)
{
    std::string dir = ftpDir;
    while (dir.size() > 1 && dir.back() == '/')
        dir.pop_back();
    const std::string year = fileName.substr(0, 4);
    if (dir.empty())
        return year;
    if (dir == "/")
        return dir + year;
    return dir + "/" + year;
}

int ProposedBulletinNumber(const CheckedFileList& list, int year)
{
    int number = 1;
    for (const std::string& name : list.Names()) {
        if (NumberAt(name, 0, 4) != year)
            continue;
        const int known = NumberAt(name, 9, 3);
        if (known >= number)
            number = known + 1;
    }
    return number;
}

std::string BulletinItemText(const std::string& fileName)
{
    const std::string head = fileName.substr(0, 9);
    const std::string number = fileName.size() > 9 ? fileName.substr(9, 3) : std::string();
    std::string text = PadLeft(head, 9) + "-" + PadLeft(number, 3);
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::vector<BulletinYearNode> KnownBulletinTree(const CheckedFileList& list)
{
    std::vector<BulletinYearNode> tree;
    for (const std::string& name : list.Names()) {
        const int year = NumberAt(name, 0, 4);
        if (tree.empty() || tree.back().year != year) {
            BulletinYearNode node;
            node.year = year;
            node.text = PadLeft(std::to_string(year), 4);
            tree.push_back(std::move(node));
        }
        tree.back().items.push_back(BulletinItemText(name));
    }
    return tree;
}

std::optional<BulletinId> ParseBulletinItem(const std::string& itemText)
{
    if (itemText.size() < 12)
        return std::nullopt;
    return BulletinId{NumberAt(itemText, 0, 4), NumberAt(itemText, 10, 3)};
}

FetchOutcome FetchBulletin(const FetchRequest& request, PrivateTempFile& into,
                           const std::atomic<bool>& abort, const FetchStepReport& report,
                           FtpLimits limits)
{
    const auto step = [&](FetchStep which, const char* status) {
        if (report)
            report(which, status);
    };
    const auto aborted = [&](FetchStep which) {
        step(which, "Aborted");
        into.Truncate();
        return FetchOutcome::Aborted;
    };

    step(FetchStep::Initializing, "Starting");
    const std::optional<FtpSite> site = ParseFtpSite(request.site);
    if (!site) {
        step(FetchStep::Initializing, "Parse URL Failed");
        return FetchOutcome::Failed;
    }
    if (abort.load())
        return aborted(FetchStep::Initializing);
    std::unique_ptr<FtpClient> client = MakeFtpClient(&abort, limits);
    step(FetchStep::Initializing, "Completed");

    step(FetchStep::Connecting, "Starting");
    // Only an FTP address with a server can be logged in to.
    const FtpOutcome login = site->scheme == "ftp" && !site->host.empty()
                                 ? client->Connect(*site, FtpUser, FtpPassword)
                                 : FtpOutcome::Failed;
    if (login == FtpOutcome::Aborted || (login == FtpOutcome::Ok && abort.load())) {
        client->ForceClose();
        client->Close();
        return aborted(FetchStep::Connecting);
    }
    if (login != FtpOutcome::Ok) {
        client->Close();
        step(FetchStep::Connecting, "Failed");
        return FetchOutcome::Failed;
    }
    step(FetchStep::Connecting, "Completed");

    step(FetchStep::GettingFile, "Starting");
    // A name from FNAMES.DAT is as untrusted as one from a listing.
    const bool safe = IsSafeRemoteName(request.fileName);
    const FtpOutcome cd = safe ? client->ChangeDirectory(
                                     BulletinRemoteDir(request.ftpDir, request.fileName))
                               : FtpOutcome::Ok;
    if (cd == FtpOutcome::Aborted || (cd == FtpOutcome::Ok && abort.load())) {
        client->ForceClose();
        client->Close();
        return aborted(FetchStep::GettingFile);
    }
    if (cd != FtpOutcome::Ok) {
        client->Close();
        step(FetchStep::GettingFile, "CD Failed");
        return FetchOutcome::Failed;
    }

    step(FetchStep::GettingFile, "Transferring");
    FtpOutcome fetched = FtpOutcome::Failed;
    if (safe && into.Truncate())
        fetched = client->FetchFile(request.fileName, into.Descriptor());
    if (fetched == FtpOutcome::Aborted || (fetched == FtpOutcome::Ok && abort.load())) {
        client->ForceClose();
        client->Close();
        return aborted(FetchStep::GettingFile);
    }
    const bool failed = fetched != FtpOutcome::Ok;
    if (failed) {
        into.Truncate();
        step(FetchStep::GettingFile, "Transfer Failed");
    } else {
        step(FetchStep::GettingFile, "Completed");
    }

    step(FetchStep::ClosingSession, "Starting");
    client->Close();
    step(FetchStep::ClosingSession, "Completed");
    return failed ? FetchOutcome::Failed : FetchOutcome::Fetched;
}
