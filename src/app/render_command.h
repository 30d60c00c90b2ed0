// "skylog render": the plot view painted into an image, without a window.
#pragma once

#include <string>
#include <vector>

int RunRenderCommand(int argc, char** argv, const std::vector<std::string>& args);
