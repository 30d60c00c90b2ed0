// A test server script (tests/support/*.py) that prints its loopback port first; killed with the object.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

class ServerProcess {
public:
    // script: a file name under tests/support.
    ServerProcess(const std::string& script, const std::vector<std::string>& arguments);
    ~ServerProcess();
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    // 0 when the server did not come up.
    int Port() const { return port_; }

private:
    pid_t pid_ = -1;
    int port_ = 0;
};
