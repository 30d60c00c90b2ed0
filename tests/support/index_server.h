// A real HTTP(S) server on loopback for the download tests: support/index_server.py serving a folder.
#pragma once

#include <string>

#include "support/server_process.h"

class IndexServer {
public:
    // Serves folder; with certificate and key given, over HTTPS.
    explicit IndexServer(const std::string& folder, const std::string& certificate = {},
                         const std::string& key = {});
    bool Running() const { return process_.Port() > 0; }
    std::string Url(const std::string& name) const;  // "http://127.0.0.1:PORT/name" (https with a certificate)
    std::string RequestLog() const;                  // one line per request: "path|User-Agent|If-Modified-Since"

private:
    bool tls_ = false;
    std::string log_;
    ServerProcess process_;
};

// Makes a self-signed certificate for 127.0.0.1 with openssl; false when it cannot.
bool MakeSelfSignedCertificate(const std::string& certificate, const std::string& key);
