#include "support/index_server.h"

#include <cstdlib>

#include "support/temp_folder.h"

IndexServer::IndexServer(const std::string& folder, const std::string& certificate, const std::string& key)
    : tls_(!certificate.empty()), log_(folder + "/../requests.log"),
      process_("index_server.py", tls_ ? std::vector<std::string>{folder, log_, certificate, key}
                                       : std::vector<std::string>{folder, log_})
{
}

std::string IndexServer::Url(const std::string& name) const
{
    return std::string(tls_ ? "https" : "http") + "://127.0.0.1:" + std::to_string(process_.Port()) + "/" + name;
}

std::string IndexServer::RequestLog() const { return ReadTextFile(log_); }

bool MakeSelfSignedCertificate(const std::string& certificate, const std::string& key)
{
    return std::system(("openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=127.0.0.1 -keyout '" + key +
                        "' -out '" + certificate + "' >/dev/null 2>&1").c_str()) == 0;
}
