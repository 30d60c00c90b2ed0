// "skylog render": the plot view painted into an image, without a window.
#pragma once

#include "app/command.h"

Command RenderCommand();
