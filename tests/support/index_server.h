// A real HTTP(S) server on loopback for the download tests: Python's
// http.server over a folder (support/index_server.py), started and stopped
// by the test.
#pragma once

#include <string>

#include "support/server_process.h"

class IndexServer {
public:
    // Serves folder; with certificate and key given, over HTTPS.
    explicit IndexServer(const std::string& folder, const std::string& certificate = {},
                         const std::string& key = {});

    bool Running() const { return process_.Port() > 0; }
    // "http://127.0.0.1:PORT/name" (https with a certificate).
    std::string Url(const std::string& name) const;
    // One line per request: "path|User-Agent|If-Modified-Since".
    std::string RequestLog() const;

private:
    bool tls_ = false;
    std::string log_;
    ServerProcess process_;
};

// Makes a self-signed certificate for 127.0.0.1 with openssl; false when it cannot.
bool MakeSelfSignedCertificate(const std::string& certificate, const std::string& key);
